#include "autopilot.h"

#include "shell/form.h"

void DriveAutopilot(TMForm& form) { (void)form; }
