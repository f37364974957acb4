#pragma once

#include "playback/engine/Engine.h"
#include "playback/engine/EngineOptions.h"

#include <QObject>
#include <functional>
#include <memory>

class SettingsStore;

// Owns the engine control and starts items in it: every item gets a fresh control, made with the
// options of the moment, and the control's notifications come out here, so a part that listens
// keeps listening across the change of control. Also knows which item the control holds.
class EngineHost : public QObject
{
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<Engine>(const QStringList& options)>;

    EngineHost(SettingsStore& settings, Factory factory, QObject* parent = nullptr);
    ~EngineHost() override;

    void applySettings();
    void create();
    void release();
    Engine* engine() const { return m_engine.get(); }
    // Counts the controls made and released: a step that waited can tell whether the control it
    // started is still the one in place.
    int generation() const { return m_generation; }
    const EngineOptions& options() const { return m_options; }

    // A fresh control with playlist entry `index` (at `path`) open in it, not yet playing.
    void startEntry(int index, const QString& path);
    // A fresh control for the disc in `drive`; its address opens once the disc's entry stands.
    void startDisc(const QString& drive);
    bool openDisc(const QString& address);

    // The entry's path, or the drive of a disc started from the drive list.
    QString currentItem() const { return m_current; }
    bool currentIsDrive() const { return m_currentIsDrive; }
    int currentIndex() const { return m_currentIndex; }
    void setCurrentDrive(const QString& drive);
    // Where snapshots of the current item go: "<SnapshotPath>/<file name> Images".
    QString snapshotFolder() const;

signals:
    // A new control exists with nothing open in it yet, or none after a release.
    void engineChanged(Engine* engine);
    void stateChanged(Engine::State state);
    void voutAppeared();

private:
    SettingsStore& m_settings;
    Factory m_factory;
    std::unique_ptr<Engine> m_engine;
    EngineOptions m_options;
    int m_generation = 0;
    QString m_current;
    bool m_currentIsDrive = false;
    int m_currentIndex = -1;
};
