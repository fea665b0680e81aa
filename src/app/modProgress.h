#pragma once
// Progress of long picture loops on the main window's progress bar. A loop announces its amount of work,
// reports the work done as it goes and ends the job; only jobs of at least 200,000 units show the bar
// and the busy state, and the bar moves (with a beep) at each twentieth of the total.
#include <cstdint>
#include <functional>

namespace modProgress {

// Jobs smaller than this show nothing.
constexpr int64_t kShowFrom = 200000;

// The current job shows the bar.
inline bool pb_flag = false;
// One twentieth of the total (the size of one step), the units done so far and the count at which the
// bar moves next. Kept in 64 bits so that a width x height total cannot overflow.
inline int64_t pb_int = 0;
inline int64_t pb_val = 0;
inline int64_t pb_nxt = 0;

// Begins a job of total units.
void Progress_Start(int64_t total);
// Begins a job of width x height units (the product taken in 64 bits).
void Progress_Start(int32_t width, int32_t height);
// Adds the units finished since the last call; moves the bar by one step at most.
void Progress_Check(int32_t done);
// Hides the bar. The busy state stays until the main window's cursor is set back.
void Progress_End();

// For loops that report once per column of height pixels but work in another order: takes the units done
// as the loop reports them and checks height units for every whole column's worth, so the bar moves
// exactly as for a column-by-column loop.
std::function<void(int32_t)> Per_Column(int32_t height);

// Ends a job however the code around it is left: hides the bar and ends the busy state, setting the
// painting canvas's cursor back to the tool's.
class Progress_Scope {
 public:
  Progress_Scope() = default;
  ~Progress_Scope();
  Progress_Scope(const Progress_Scope&) = delete;
  Progress_Scope& operator=(const Progress_Scope&) = delete;
};

// Puts the module's state back to its start values.
void Reset_Globals();

}  // namespace modProgress
