#pragma once
// The "Load" button beside "Img:": the image named in txt_url, shown afresh.

namespace ce {

class ReductionController;

// runLoadimg: the typed path resolved against the program folder (an
// absolute path is used as typed), loaded by the window. On success
// imageLoaded is set and the image box goes back to the viewport's top-left
// corner; on failure a message box shows "<typed text>: <reason>" and
// imageLoaded is cleared (the previous picture may stay displayed, but star
// selection and calibration refuse to start). Returns imageLoaded.
bool runLoadimg(ReductionController& controller);

}  // namespace ce
