// The frame batch, the quad index patterns and the registry of live pictures.
#include "media/render_batch.h"

#include <algorithm>

namespace {

// Never destroyed: pictures held by other static objects may outlive any static of ours.
std::vector<TexSource*>& Registry() {
  static auto* all = new std::vector<TexSource*>();
  return *all;
}
TexReleaseHook gReleaseHook = nullptr;

template <class T>
std::vector<T> BuildIndices() {
  std::vector<T> idx(static_cast<size_t>(BATCH_MAX_QUADS) * 6);
  for (uint32_t q = 0; q < BATCH_MAX_QUADS; ++q) {
    static constexpr uint32_t PATTERN[6] = {0, 1, 2, 2, 3, 0};
    for (int i = 0; i < 6; ++i) idx[q * 6 + static_cast<uint32_t>(i)] = static_cast<T>(q * 4 + PATTERN[i]);
  }
  return idx;
}

}  // namespace

TexSource::TexSource() { Registry().push_back(this); }

TexSource::~TexSource() {
  if (gReleaseHook) gReleaseHook(*this);
  auto& all = Registry();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

const uint8_t* TexSource::Rgba(std::vector<uint8_t>& scratch) const {
  if (!coverage) return pixels.data();
  scratch.assign(pixels.size() * 4, 255);
  for (size_t i = 0; i < pixels.size(); ++i) scratch[i * 4 + 3] = pixels[i];
  return scratch.data();
}

int TexSource::Alpha() const {
  if (alphaChecked == version) return alphaKind;
  const size_t step = coverage ? 1 : 4;
  bool binary = true, opaque = true;
  for (size_t i = coverage ? 0 : 3; i < pixels.size(); i += step) {
    const uint8_t a = pixels[i];
    opaque = opaque && a == 255;
    binary = binary && (a == 0 || a == 255);
    if (!binary) break;
  }
  alphaKind = opaque ? TEX_ALPHA_OPAQUE : binary ? TEX_ALPHA_BINARY : TEX_ALPHA_VARIED;
  alphaChecked = version;
  return alphaKind;
}

void ForEachTexSource(void (*fn)(TexSource& t, void* ctx), void* ctx) {
  for (TexSource* t : Registry()) fn(*t, ctx);
}

void SetTexReleaseHook(TexReleaseHook hook) { gReleaseHook = hook; }

const std::vector<uint32_t>& QuadIndices32() {
  static const std::vector<uint32_t> idx = BuildIndices<uint32_t>();
  return idx;
}

const std::vector<int>& QuadIndicesInt() {
  static const std::vector<int> idx = BuildIndices<int>();
  return idx;
}

RenderBatch::RenderBatch() : verts_(static_cast<size_t>(BATCH_MAX_QUADS) * 4) { cmds_.reserve(4096); }

bool RenderBatch::Uses(const TexSource* tex) const {
  for (const DrawCommand& c : cmds_)
    if (c.tex == tex) return true;
  return false;
}

void RenderBatch::Overflow() {
  if (flush_) flush_(*this);
  if (quads_ == BATCH_MAX_QUADS) Reset();  // no back end to draw it: the oldest quads are dropped
}
