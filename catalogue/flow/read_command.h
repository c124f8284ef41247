#pragma once
// READFILE: the downloaded data.txt into the catalogue star table.

#include "core/result.h"

namespace ce {

class ReductionController;

// runReadFile: language message 18, the read with the state's corrAsd and
// corrDec, the debug pane emptied, then the count line ("497/1234" and
// language message 19).
// When data.txt is missing (no catalogue downloaded yet), cannot be read,
// or was downloaded for another field centre than the one typed now (the
// centre recorded with it, compared in J2000.0 to 1 arcsecond; text
// "catalogue.othercentre"), both counts become 0, the reason goes to the
// status list and to a message box, and the failure is returned so that the
// caller stops; nothing of an earlier read is used.
Status runReadFile(ReductionController& controller);

}  // namespace ce
