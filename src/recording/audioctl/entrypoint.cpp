// The plugin's exported entry point; everything else in the plugin stays hidden.
#include "audiorecorder.h"

extern "C" __attribute__((visibility("default"))) IAudioRecord *sintonia_audioctl_create(int interfaceVersion)
{
    if (interfaceVersion != AudioRecordInterfaceVersion)
        return nullptr;
    return new AudioRecorder();
}
