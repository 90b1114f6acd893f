#include "mixer/MixerControl.h"
#include "mixer/Tamsel.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MIXERLINEA) == 168, "mixer line record");
static_assert(sizeof(MIXERLINECONTROLSA) == 24, "mixer controls record");
static_assert(sizeof(MIXERCONTROLA) == 148, "mixer control record");
static_assert(sizeof(MIXERCONTROLDETAILS) == 24, "mixer details record");
#endif

namespace {
constexpr HMIXEROBJ firstMixer = nullptr;
}

BOOL FindSpeakersControl(DWORD controlType, MixerControl* control)
{
    if (!MixerControlExist())
        return FALSE;
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    if (mixerGetLineInfoA(firstMixer, &line, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_COMPONENTTYPE)
        != MMSYSERR_NOERROR)
        return FALSE;

    MIXERCONTROLA found = {};
    found.cbStruct = sizeof(found);
    MIXERLINECONTROLSA controls = {};
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = controlType;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(found);
    controls.pamxctrl = &found;
    if (mixerGetLineControlsA(firstMixer, &controls, MIXER_OBJECTF_MIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE)
        != MMSYSERR_NOERROR)
        return FALSE;

    control->controlId = found.dwControlID;
    control->minimum = found.Bounds.dwMinimum;
    control->maximum = found.Bounds.dwMaximum;
    return TRUE;
}

namespace {

void DescribeOneValue(const MixerControl& control, DWORD* value, MIXERCONTROLDETAILS* details)
{
    ZeroMemory(details, sizeof(*details));
    details->cbStruct = sizeof(*details);
    details->dwControlID = control.controlId;
    details->cChannels = 1;
    details->cMultipleItems = 0;
    details->cbDetails = sizeof(*value);
    details->paDetails = value;
}

}  // namespace

BOOL ReadControlValue(const MixerControl& control, DWORD* value)
{
    MIXERCONTROLDETAILS details;
    DescribeOneValue(control, value, &details);
    return mixerGetControlDetailsA(firstMixer, &details, MIXER_OBJECTF_MIXER | MIXER_GETCONTROLDETAILSF_VALUE)
           == MMSYSERR_NOERROR;
}

BOOL WriteControlValue(const MixerControl& control, DWORD value)
{
    MIXERCONTROLDETAILS details;
    DescribeOneValue(control, &value, &details);
    return mixerSetControlDetails(firstMixer, &details, MIXER_OBJECTF_MIXER | MIXER_SETCONTROLDETAILSF_VALUE)
           == MMSYSERR_NOERROR;
}

BOOL ReadSpeakersValue(DWORD controlType, DWORD* value, MixerControl* control)
{
    MixerControl found;
    if (!FindSpeakersControl(controlType, &found) || !ReadControlValue(found, value))
        return FALSE;
    if (control)
        *control = found;
    return TRUE;
}

BOOL WriteSpeakersValue(DWORD controlType, DWORD value)
{
    MixerControl control;
    return FindSpeakersControl(controlType, &control) && WriteControlValue(control, value);
}
