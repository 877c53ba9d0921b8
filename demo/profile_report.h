// The demo's report of a parsed model profile, every field by name.
#ifndef MARTENUI_DEMO_PROFILE_REPORT_H
#define MARTENUI_DEMO_PROFILE_REPORT_H

#include "profile/model_profile.h"

void ReportModelProfile(const ModelProfile& profile);

#endif
