#pragma once
// Holds the main window's re-entry guard of the canvas's move and drag handlers for one handler, and
// releases it however the handler ends.
class BusyHold {
 public:
  explicit BusyHold(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyHold() { busy_ = false; }
  BusyHold(const BusyHold&) = delete;
  BusyHold& operator=(const BusyHold&) = delete;

 private:
  bool& busy_;
};
