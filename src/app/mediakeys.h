#pragma once

class MediaControl;
class MediaRemote;
class TFrm_Sintonia;

namespace MediaKeys {

// The desktop's media keys and media widget on the main window: the controls over its
// playback, told when the lists change, offered to `remote` (none: not offered).
MediaControl *build(TFrm_Sintonia &window, MediaRemote *remote);

} // namespace MediaKeys
