#pragma once

#include <cstddef>
#include <string>

// Appends the MIME base64 form of the bytes to output: the input is cut into
// lines of 54 bytes, each encoded on its own (72 characters for a full line)
// and followed by "\n", the last line included. An empty input appends nothing.
void Base64Encode(const unsigned char* bytes, std::size_t length, std::string& output);
