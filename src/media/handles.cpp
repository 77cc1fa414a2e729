// The handle table: every image, font, sound, channel, pixmap and stream is registered here and
// referred to by a small positive integer; 0 is "no object".
#include <memory>
#include <vector>

#include "media/internal.h"

namespace {

struct Slot {
  std::unique_ptr<MediaObject> obj;
};

std::vector<Slot> gSlots(1);     // slot 0 stays empty: handle 0 means none
std::vector<int> gFree;          // released handles, reused oldest first
constexpr size_t REUSE_AFTER = 64;  // keeps a stale handle from naming a new object at once

}  // namespace

int RegisterObject(std::unique_ptr<MediaObject> obj) {
  if (!obj) return 0;
  if (gFree.size() > REUSE_AFTER) {
    int h = gFree.front();
    gFree.erase(gFree.begin());
    gSlots[static_cast<size_t>(h)].obj = std::move(obj);
    return h;
  }
  gSlots.push_back(Slot{std::move(obj)});
  return static_cast<int>(gSlots.size() - 1);
}

MediaObject* LookupObject(int handle, ObjectKind kind) {
  if (handle <= 0 || static_cast<size_t>(handle) >= gSlots.size()) return nullptr;
  MediaObject* obj = gSlots[static_cast<size_t>(handle)].obj.get();
  return obj && obj->Kind() == kind ? obj : nullptr;
}

void ReleaseObject(int handle) {
  if (handle <= 0 || static_cast<size_t>(handle) >= gSlots.size()) return;
  Slot& slot = gSlots[static_cast<size_t>(handle)];
  if (!slot.obj) return;
  slot.obj.reset();
  gFree.push_back(handle);
}

void ReleaseAllObjects() {
  gSlots.clear();
  gSlots.resize(1);
  gFree.clear();
}

int64_t ObjectBytes() {
  int64_t total = 0;
  for (const Slot& s : gSlots)
    if (s.obj) total += s.obj->Bytes();
  return total;
}

void ForEachObject(ObjectKind kind, void (*fn)(int handle, MediaObject& obj, void* ctx), void* ctx) {
  for (size_t h = 1; h < gSlots.size(); ++h)
    if (gSlots[h].obj && gSlots[h].obj->Kind() == kind) fn(static_cast<int>(h), *gSlots[h].obj, ctx);
}
