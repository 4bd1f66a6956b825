// Window classes standing in for 3ds Max's custom controls, so that Windows itself can build the
// plug-in's rollout template. 3ds Max registers its controls as global classes: a dialog created
// from the plug-in's module finds only those, not classes local to the test program.
#pragma once

namespace nacreen_windows {

// Registers "CustEdit", "SpinnerControl" and "CustButton" once; false when Windows refuses.
bool RegisterCustomControlClasses();

} // namespace nacreen_windows
