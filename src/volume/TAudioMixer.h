// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MixerDriver.h"
#include "volume/TMixerDestinations.h"

#include <QObject>
#include <functional>
#include <memory>

// One of the system's mixer devices, opened through the driver, with a snapshot of its
// lines and controls taken at opening, and the volume and mute of a line read and written
// through that snapshot. Nothing is reported to the user: what cannot be read is -1.
class TAudioMixer : public QObject {
    Q_OBJECT
    Q_PROPERTY(quint32 DriverVersion READ DriverVersion)
    Q_PROPERTY(quint16 ProductId READ ProductId)
    Q_PROPERTY(qint32 NumberOfLine READ NumberOfLine)
    Q_PROPERTY(QString Manufacturer READ Manufacturer)
    Q_PROPERTY(QString ProductName READ ProductName)
    Q_PROPERTY(qint32 MixerId READ MixerId WRITE SetMixerId)
public:
    using TMixerChange = std::function<void(TAudioMixer* Sender, qint32 MixerH, qint32 ID)>;

    // Opens device 0 when the system has a device.
    explicit TAudioMixer(std::unique_ptr<MixerDriver> driver, QObject* owner = nullptr);
    ~TAudioMixer() override;

    quint32 DriverVersion() const { return m_caps.driverVersion; }
    quint16 ProductId() const { return m_caps.productId; }
    qint32 NumberOfLine() const { return qint32(m_caps.destinations); }
    QString Manufacturer() const { return m_manufacturer; }
    QString ProductName() const { return m_productName; }
    qint32 MixerId() const { return m_mixerId; }
    // Opens device id (again, when it is the open one); an id outside the devices is ignored.
    void SetMixerId(qint32 id);

    void CloseMixer();

    // connection -1 addresses the destination line itself. False when the line is not in
    // the tree; left, right and mute are -1 where the line has no such control.
    bool ReadVolume(int destination, int connection, int& left, int& right, int& mute, bool& stereo,
                    bool& volumeDisabled, bool& muteDisabled, bool& isSelect);
    // -1 leaves left, mute unchanged; right -1 writes left to both channels.
    bool WriteVolume(int destination, int connection, int left, int right, int mute);

    // True when no device is open or the open one no longer answers (its sound server
    // ended); reopening is then the only way back to a working device.
    bool DeviceLost();

    // The snapshot: nullptr between CloseMixer and reopening.
    TMixerDestinations* Destinations() const { return m_destinations.get(); }
    TMixerDestination* Destination(int index) const;

    MixerDriver& Driver() const { return *m_driver; }
    MixerHandle Handle() const { return m_handle; }

    TMixerChange OnLineChange;
    TMixerChange OnControlChange;

private:
    class NotificationWindow;
    struct Addressed;
    struct LineVolume;

    void WndProc(unsigned message, MixerHandle mixer, quint32 id);
    bool Address(int destination, int connection, Addressed& out) const;
    quint32 ChannelsOf(const MixerControl& control, const MixerLine& line) const;
    MixerResult ReadValues(const MixerControl& control, quint32 channels, quint32 items,
                           std::vector<qint32>& values);
    bool FindSelection(const MixerControl& control, const MixerLine& destinationLine,
                       quint32 sourceLineId, std::vector<qint32>& values, int& index);
    void ReadOwnControls(const Addressed& a, LineVolume& v);
    void ReadSelectionState(const Addressed& a, LineVolume& v);
    bool WriteOwnControls(const Addressed& a, int left, int right, int mute);
    bool VolumeValues(const MixerControl& control, quint32 channels, int left, int right,
                      std::vector<qint32>& values);
    void WriteSelectionState(const Addressed& a, int mute);
    void WriteValues(const MixerControl& control, quint32 channels, quint32 items,
                     std::vector<qint32>& values);

    std::unique_ptr<MixerDriver> m_driver;
    std::unique_ptr<NotificationWindow> m_window;
    std::unique_ptr<TMixerDestinations> m_destinations;
    quint32 m_deviceCount = 0;
    MixerHandle m_handle = 0;
    qint32 m_mixerId = -1;
    MixerCaps m_caps;
    QString m_manufacturer;
    QString m_productName;
};
