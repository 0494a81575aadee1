#include "core/PrivateCopy.h"

#include <cstdint>
#include <cstring>

PRIVATE_FORMATS PRIVATE_FORMATS::Register(IClipboard& clipboard) {
  PRIVATE_FORMATS formats;
  formats.nExclude = clipboard.RegisterFormat(u"ExcludeClipboardContentFromMonitorProcessing");
  formats.nViewerIgnore = clipboard.RegisterFormat(u"Clipboard Viewer Ignore");
  formats.nHistory = clipboard.RegisterFormat(u"CanIncludeInClipboardHistory");
  return formats;
}

namespace {

bool Offers(IClipboard& clipboard, unsigned format) {
  return format != 0 && clipboard.IsFormatAvailable(format);
}

}  // namespace

bool IsPrivateCopy(IClipboard& clipboard, const PRIVATE_FORMATS& formats, int fetchTries) {
  if (Offers(clipboard, formats.nExclude) || Offers(clipboard, formats.nViewerIgnore)) return true;
  if (!Offers(clipboard, formats.nHistory)) return false;
  std::unique_ptr<IClipBlock> pBlock;
  for (int i = 0; i < fetchTries && !pBlock; ++i) pBlock = clipboard.Fetch(formats.nHistory);
  if (!pBlock) return true;
  if (pBlock->Size() < sizeof(uint32_t)) return false;
  const void* pData = pBlock->Lock();
  if (!pData) return true;
  uint32_t value;
  std::memcpy(&value, pData, sizeof value);
  pBlock->Unlock();
  return value == 0;
}
