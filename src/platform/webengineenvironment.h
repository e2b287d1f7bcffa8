#pragma once

// What the browser engine needs before the application object exists.
namespace WebEngineEnvironment {

// Disables the engine's sandbox when running as root (it refuses to start otherwise) and
// keeps the audio service inside the browser process: started as a process of its own,
// it lost about every second station's first stream on this desktop (the page played
// with its clock stuck at zero and no sound stream ever opened). Pages of one site share
// a page process, and the panes are composed in software. Flags already set in
// QTWEBENGINE_CHROMIUM_FLAGS and a QT_QUICK_BACKEND already chosen stay.
void prepare();

} // namespace WebEngineEnvironment
