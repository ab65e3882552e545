#pragma once
// Whether a command is under way, and whether the user asked to close the
// window meanwhile. A long command lends the thread to the message loop, so
// a close request can arrive in the middle of it; the window then closes only
// once the command has returned.

namespace stavrel::win {

class RunState {
 public:
  bool Running() const noexcept { return depth_ > 0; }
  bool CloseRequested() const noexcept { return close_requested_; }
  void RequestClose() noexcept { close_requested_ = true; }

  // Marks a command as running for the lifetime of the scope. Commands nest
  // when, say, the About box is opened while a conversion pumps messages.
  class Scope {
   public:
    explicit Scope(RunState& state) noexcept : state_(state) { ++state_.depth_; }
    ~Scope() { --state_.depth_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    RunState& state_;
  };

 private:
  int depth_ = 0;
  bool close_requested_ = false;
};

}  // namespace stavrel::win
