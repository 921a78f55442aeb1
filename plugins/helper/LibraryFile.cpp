#include "plugins/helper/LibraryFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include <link.h>
#include <sys/stat.h>

#include "model/RegularFile.h"

namespace
{
#if __ELF_NATIVE_CLASS == 64
const unsigned char kNativeClass = ELFCLASS64;
#else
const unsigned char kNativeClass = ELFCLASS32;
#endif
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
const unsigned char kNativeByteOrder = ELFDATA2LSB;
#else
const unsigned char kNativeByteOrder = ELFDATA2MSB;
#endif

bool ReadAt(int fd, void* buffer, std::size_t length, std::uint64_t offset, std::uint64_t fileSize)
{
    return offset <= fileSize && length <= fileSize - offset && ReadFully(fd, buffer, length, offset);
}

bool IsNativeSharedObject(const ElfW(Ehdr)& header)
{
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 && header.e_ident[EI_CLASS] == kNativeClass &&
           header.e_ident[EI_DATA] == kNativeByteOrder && header.e_type == ET_DYN &&
           header.e_phentsize == sizeof(ElfW(Phdr)) && header.e_phnum > 0 && header.e_phnum != PN_XNUM;
}
} // namespace

bool IsWholeSharedObject(const std::string& path)
{
    std::string reason;
    const FileHandle file(OpenRegularForReading(path, reason));
    struct stat st;
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || st.st_size < 0)
        return false;
    const auto size = static_cast<std::uint64_t>(st.st_size);

    ElfW(Ehdr) header;
    if (!ReadAt(file.get(), &header, sizeof header, 0, size) || !IsNativeSharedObject(header))
        return false;
    std::vector<ElfW(Phdr)> segments(header.e_phnum);
    if (!ReadAt(file.get(), segments.data(), segments.size() * sizeof(ElfW(Phdr)), header.e_phoff, size))
        return false;
    for (const ElfW(Phdr)& segment : segments)
        if (segment.p_type == PT_LOAD && (segment.p_offset > size || segment.p_filesz > size - segment.p_offset))
            return false;
    return true;
}
