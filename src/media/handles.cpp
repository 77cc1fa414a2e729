// The handle table: every image, font, sound, channel, pixmap and stream is registered here and
// referred to by a small positive integer; 0 is "no object".
#include <memory>
#include <vector>

#include "media/internal.h"

namespace {

struct Slot {
  std::unique_ptr<MediaObject> obj;
  ObjectKind kind{};  // the object's kind, read without a virtual call on every lookup
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
    gSlots[static_cast<size_t>(h)].kind = obj->Kind();
    gSlots[static_cast<size_t>(h)].obj = std::move(obj);
    return h;
  }
  const ObjectKind kind = obj->Kind();
  gSlots.push_back(Slot{std::move(obj), kind});
  return static_cast<int>(gSlots.size() - 1);
}

MediaObject* LookupObject(int handle, ObjectKind kind) {
  if (handle <= 0 || static_cast<size_t>(handle) >= gSlots.size()) return nullptr;
  const Slot& slot = gSlots[static_cast<size_t>(handle)];
  return slot.obj && slot.kind == kind ? slot.obj.get() : nullptr;
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
