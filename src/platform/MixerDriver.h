// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <span>

// The system's audio mixer devices, shaped like the multimedia mixer calls the mixer
// component was built on (device count, open/close, capabilities, line information, line
// controls, control details, change messages). The build picks the implementation.
//
// The names differ from the Windows ones on purpose: a Windows implementation includes the
// system headers, whose macros would otherwise rewrite these declarations.

using MixerHandle = quint32;
using MixerResult = quint32;

namespace Mixer {
// Results.
inline constexpr MixerResult NoError = 0;
inline constexpr MixerResult Error = 1;
inline constexpr MixerResult BadDeviceId = 2;
inline constexpr MixerResult InvalidHandle = 5;
inline constexpr MixerResult NoDriver = 6; // the device went away under an open handle
inline constexpr MixerResult InvalidFlag = 10;
inline constexpr MixerResult InvalidParam = 11;
inline constexpr MixerResult InvalidLine = 1024;
inline constexpr MixerResult InvalidControl = 1025;

// Open flags.
inline constexpr quint32 CallbackWindow = 0x10000;

// Line queries.
inline constexpr quint32 LineInfoByDestination = 0;
inline constexpr quint32 LineInfoBySource = 1;
inline constexpr quint32 LineControlsAll = 0;

// Control detail queries.
inline constexpr quint32 DetailsValue = 0;
inline constexpr quint32 DetailsListText = 1;

// Control types, classes and flags.
inline constexpr quint32 ControlTypeVolume = 0x50030001;
inline constexpr quint32 ControlTypeMute = 0x20010002;
inline constexpr quint32 ControlTypeMixer = 0x71010001;
inline constexpr quint32 ControlTypeMux = 0x70010001;
inline constexpr quint32 ControlClassMask = 0xF0000000;
inline constexpr quint32 ControlClassList = 0x70000000;
inline constexpr quint32 ControlFlagUniform = 0x1;
inline constexpr quint32 ControlFlagMultiple = 0x2;
inline constexpr quint32 ControlFlagDisabled = 0x80000000;

// Change messages.
inline constexpr unsigned LineChangeMessage = 0x3D0;
inline constexpr unsigned ControlChangeMessage = 0x3D1;

// Manufacturer identifier of the one maker the component names.
inline constexpr quint16 ManufacturerMicrosoft = 1;
} // namespace Mixer

struct MixerCaps {
    quint16 manufacturerId = 0;
    quint16 productId = 0;
    quint32 driverVersion = 0;
    QString productName;
    quint32 support = 0;
    quint32 destinations = 0;
};

struct MixerLine {
    quint32 destination = 0; // in: index of the destination
    quint32 source = 0;      // in: index of the source line (by-source queries)
    quint32 lineId = 0;
    quint32 lineFlags = 0;
    quint32 componentType = 0;
    quint32 channels = 0;
    quint32 connections = 0;
    quint32 controls = 0;
    QString shortName;
    QString name;
};

struct MixerControl {
    quint32 controlId = 0;
    quint32 controlType = 0;
    quint32 controlFlags = 0;
    quint32 multipleItems = 0;
    QString shortName;
    QString name;
    qint32 minimum = 0;
    qint32 maximum = 0;
    quint32 steps = 0;
};

struct MixerListText {
    quint32 param1 = 0; // for a selection control: the line identifier of the item's source
    quint32 param2 = 0;
    QString name;
};

// One control's values or item texts. The caller supplies room for channels × items
// elements (items counted as 1 when 0); a smaller span is refused, never overrun.
struct MixerControlDetails {
    quint32 controlId = 0;
    quint32 channels = 0;
    quint32 multipleItems = 0;
    std::span<qint32> values;           // DetailsValue
    std::span<MixerListText> listTexts; // DetailsListText
};

// Receives the change messages of a device opened with a callback. Messages arrive on the
// thread that opened the device, from its event loop, never from inside a driver call.
class MixerNotify {
public:
    virtual ~MixerNotify() = default;
    virtual void MixerMessage(unsigned message, MixerHandle mixer, quint32 id) = 0;
};

class MixerDriver {
public:
    virtual ~MixerDriver() = default;

    virtual quint32 GetNumDevs() = 0;
    // With Mixer::CallbackWindow and a callback, change messages go to the callback.
    virtual MixerResult Open(MixerHandle* mixer, quint32 deviceId, MixerNotify* callback,
                             quint32 flags) = 0;
    virtual MixerResult Close(MixerHandle mixer) = 0;
    virtual MixerResult GetDevCaps(quint32 deviceId, MixerCaps& caps) = 0;
    // line.destination (and line.source with LineInfoBySource) select the line.
    virtual MixerResult GetLineInfo(MixerHandle mixer, MixerLine& line, quint32 flags) = 0;
    // Fills controls (its size is the line's control count) with every control of lineId.
    virtual MixerResult GetLineControls(MixerHandle mixer, quint32 lineId,
                                        std::span<MixerControl> controls, quint32 flags) = 0;
    virtual MixerResult GetControlDetails(MixerHandle mixer, MixerControlDetails& details,
                                          quint32 flags) = 0;
    virtual MixerResult SetControlDetails(MixerHandle mixer, const MixerControlDetails& details,
                                          quint32 flags) = 0;
    // The device index behind an open handle; NoDriver once the device behind it is gone
    // (a sound server that ended, a card that was unplugged).
    virtual MixerResult GetID(MixerHandle mixer, quint32* deviceId) = 0;
};

// The system's mixer driver.
std::unique_ptr<MixerDriver> CreateMixerDriver();
