#pragma once
// A capture picture for the window-free tests: its content is a number, a
// step is the content before it and after it, and serialising or reading
// back fails when a test says so.
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

  SnapshotBytes SerialiseStep() override {
    if (FailSerialise) throw std::bad_alloc();
    SnapshotBytes bytes(2 * sizeof Composed);
    std::memcpy(bytes.data(), &Persistent, sizeof Persistent);
    std::memcpy(bytes.data() + sizeof Persistent, &Composed, sizeof Composed);
    return bytes;
  }
  void KeepComposed() noexcept override { Persistent = Composed; }
  void KeepUnstored() noexcept override {}
  void Restore(std::span<const std::uint8_t> step, Side side) override {
    if (FailRestore) throw std::runtime_error("cannot read back");
    Persistent = Composed = side == Side::Before ? Before(step) : After(step);
  }

  static std::uint32_t Before(std::span<const std::uint8_t> step) { return Half(step, 0); }
  static std::uint32_t After(std::span<const std::uint8_t> step) { return Half(step, 1); }

 private:
  static std::uint32_t Half(std::span<const std::uint8_t> step, std::size_t index) {
    if (step.size() != 2 * sizeof(std::uint32_t)) throw std::runtime_error("not a step");
    std::uint32_t content;
    std::memcpy(&content, step.data() + index * sizeof content, sizeof content);
    return content;
  }
};

}  // namespace quillane::capture::testing
