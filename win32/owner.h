#pragma once
// One owner for every kind of handle: it holds one handle and releases it
// once, when it goes or is given another. What differs from kind to kind is
// in its Traits:
//   using Handle = ...;                      the handle's type
//   static Handle Invalid();                 the value that owns nothing
//   void Close(Handle) (static or not);      the release function
// and optionally
//   static void Acquired(); Released();      told when a handle is adopted
//                                            or let go (the live-GDI count).
// A traits object may carry what the release needs besides the handle (the
// window of a device context, say); it moves with the handle.
// Portable: no system header, so it is tested natively.
#include <utility>

namespace quillane::win {

template <class Traits>
class Owner {
 public:
  using Handle = typename Traits::Handle;

  Owner() = default;
  explicit Owner(Handle handle, Traits traits = {}) : handle_(handle), traits_(std::move(traits)) {
    if (Valid()) Adopted();
  }
  Owner(Owner&& other) noexcept
      : handle_(std::exchange(other.handle_, Traits::Invalid())), traits_(std::move(other.traits_)) {}
  Owner& operator=(Owner&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, Traits::Invalid());
      traits_ = std::move(other.traits_);
    }
    return *this;
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  ~Owner() { Close(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Valid(); }

  // Gives the handle up to an owner outside the program (the clipboard, or an
  // OLE picture, which counts itself).
  [[nodiscard]] Handle Release() {
    if (Valid()) LetGo();
    return std::exchange(handle_, Traits::Invalid());
  }
  // Releases what is held, then owns `handle`.
  void Reset(Handle handle = Traits::Invalid()) {
    Close();
    handle_ = handle;
    if (Valid()) Adopted();
  }
  // For a creating call that writes the handle out; what was held is released
  // first. Only for kinds that are not counted, as the count cannot see it.
  Handle* Receive()
    requires(!requires { Traits::Acquired(); })
  {
    Close();
    return &handle_;
  }

 protected:
  Traits& traits() { return traits_; }
  const Traits& traits() const { return traits_; }

 private:
  bool Valid() const { return handle_ != Traits::Invalid(); }
  static void Adopted() {
    if constexpr (requires { Traits::Acquired(); }) Traits::Acquired();
  }
  static void LetGo() {
    if constexpr (requires { Traits::Released(); }) Traits::Released();
  }
  void Close() {
    if (Valid()) {
      traits_.Close(handle_);
      LetGo();
    }
    handle_ = Traits::Invalid();
  }

  Handle handle_ = Traits::Invalid();
  [[no_unique_address]] Traits traits_{};
};

}  // namespace quillane::win
