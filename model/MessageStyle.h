#pragma once

// Message-box styles and answers for IEditorHost::ShowMessage. The values are
// the toolkit's own, so the application passes them through unchanged.
namespace MessageStyle
{
constexpr int Yes = 0x2;
constexpr int Ok = 0x4;
constexpr int No = 0x8;
constexpr int Cancel = 0x10;
constexpr int YesNo = Yes | No;
constexpr int IconExclamation = 0x100;
constexpr int IconError = 0x200;
constexpr int IconQuestion = 0x400;
constexpr int IconInformation = 0x800;
} // namespace MessageStyle

// What ShowMessage answers: the button chosen.
namespace MessageAnswer
{
constexpr int Yes = 2;
constexpr int Ok = 4;
constexpr int No = 8;
constexpr int Cancel = 16;
} // namespace MessageAnswer
