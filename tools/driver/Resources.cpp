// A copy of a program without its version record, to see how the program
// behaves when it has none. Wine's UpdateResourceW reports success but
// leaves the record in place, so the copy's resource directory is edited
// instead: the version type's entry is renamed to an unused type, and
// nothing finds a version record any more.
#include "Driver.h"

#include <fstream>
#include <iterator>

namespace tdriver {
namespace {

template <class T>
T* At(std::vector<char>& image, size_t offset) {
  if (offset + sizeof(T) > image.size()) Fail(kFailed, L"the program file is cut short");
  return reinterpret_cast<T*>(image.data() + offset);
}

// The file offset of a relative virtual address.
size_t FileOffset(std::vector<char>& image, const IMAGE_NT_HEADERS64& nt, size_t ntOffset,
                  DWORD rva) {
  const size_t first =
      ntOffset + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
  for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
    const auto* s = At<IMAGE_SECTION_HEADER>(image, first + i * sizeof(IMAGE_SECTION_HEADER));
    if (rva >= s->VirtualAddress && rva < s->VirtualAddress + s->Misc.VirtualSize)
      return rva - s->VirtualAddress + s->PointerToRawData;
  }
  Fail(kFailed, L"the resources lie in no section");
}

}  // namespace

int CmdStripVersion(Args& args) {
  const auto pos = args.Positional(2, 2);
  std::ifstream in(pos[0].c_str(), std::ios::binary);
  if (!in) Fail(kFailed, L"cannot read " + pos[0]);
  std::vector<char> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t ntOffset = static_cast<size_t>(At<IMAGE_DOS_HEADER>(image, 0)->e_lfanew);
  const auto& nt = *At<IMAGE_NT_HEADERS64>(image, ntOffset);
  if (nt.Signature != IMAGE_NT_SIGNATURE ||
      nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
    Fail(kFailed, L"not a 64-bit program");
  const DWORD rva = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress;
  if (!rva) Fail(kFailed, L"the program has no resources");
  const size_t root = FileOffset(image, nt, ntOffset, rva);
  const auto* dir = At<IMAGE_RESOURCE_DIRECTORY>(image, root);
  const size_t count = dir->NumberOfNamedEntries + dir->NumberOfIdEntries;
  // The version type becomes the next id, which no program uses
  // (RT_DLGINCLUDE), so the ids stay sorted as the loader needs them.
  const WORD kRenamed = static_cast<WORD>(reinterpret_cast<uintptr_t>(RT_VERSION) + 1);
  IMAGE_RESOURCE_DIRECTORY_ENTRY* version = nullptr;
  bool renamedTaken = false;
  for (size_t i = 0; i < count; ++i) {
    auto* e =
        At<IMAGE_RESOURCE_DIRECTORY_ENTRY>(image, root + sizeof(IMAGE_RESOURCE_DIRECTORY) +
                                                      i * sizeof(IMAGE_RESOURCE_DIRECTORY_ENTRY));
    if (e->NameIsString) continue;
    if (e->Id == reinterpret_cast<uintptr_t>(RT_VERSION)) version = e;
    if (e->Id == kRenamed) renamedTaken = true;
  }
  if (!version) Fail(kFailed, L"the program has no version record");
  if (renamedTaken) Fail(kFailed, L"the program uses the type the version would become");
  version->Id = kRenamed;
  std::ofstream out(pos[1].c_str(), std::ios::binary | std::ios::trunc);
  out.write(image.data(), static_cast<std::streamsize>(image.size()));
  if (!out) Fail(kFailed, L"cannot write " + pos[1]);
  return kOk;
}

}  // namespace tdriver
