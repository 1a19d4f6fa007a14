#pragma once
// A capture picture for the window-free tests: its content is a number, and
// serialising or reading back fails when a test says so.
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>

#include "capture/snapshot_store.h"

namespace quillane::capture::testing {

class FakePicture final : public SnapshotPicture {
 public:
  std::uint32_t Persistent = 1;  // the committed picture
  std::uint32_t Composed = 1;    // what the window shows: persistent plus drawing
  bool FailSerialise = false;
  bool FailRestore = false;

  void Draw(std::uint32_t content) { Composed = content; }

  SnapshotBytes SerialiseComposed() override {
    if (FailSerialise) throw std::bad_alloc();
    SnapshotBytes bytes(sizeof Composed);
    std::memcpy(bytes.data(), &Composed, sizeof Composed);
    return bytes;
  }
  void KeepComposed() noexcept override { Persistent = Composed; }
  void KeepUnstored() noexcept override {}
  void Restore(std::span<const std::uint8_t> bytes) override {
    if (FailRestore) throw std::runtime_error("cannot read back");
    Persistent = Composed = Content(bytes);
  }

  static std::uint32_t Content(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != sizeof(std::uint32_t)) throw std::runtime_error("not a snapshot");
    std::uint32_t content;
    std::memcpy(&content, bytes.data(), sizeof content);
    return content;
  }
};

}  // namespace quillane::capture::testing
