// Gathering what the PJL header takes from outside the model, before it is
// composed: from the spooler, the profile file and the documents folder.
#ifndef MARTENUI_PJL_JOB_FACTS_H
#define MARTENUI_PJL_JOB_FACTS_H

#include "job/pjl_header.h"

struct PrinterCall;

// Fills `facts` for the printer of `call`, or for no printer (null).
void GatherPjlJobFacts(PrinterCall* call, PjlJobFacts* facts);
// The facts of no printer from facts gathered already: the same job file.
void PjlJobFactsOfNoPrinter(const PjlJobFacts& gathered, PjlJobFacts* facts);

#endif
