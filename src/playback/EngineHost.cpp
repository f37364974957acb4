#include "playback/EngineHost.h"

#include "settings/SettingsStore.h"
#include "util/Logging.h"

EngineHost::EngineHost(SettingsStore& settings, Factory factory, QObject* parent)
    : QObject(parent), m_settings(settings), m_factory(std::move(factory))
{}

EngineHost::~EngineHost() = default;

void EngineHost::applySettings()
{
    m_options.rebuild(m_settings.settings());
}

void EngineHost::create()
{
    m_engine = m_factory(m_options.strings());
    ++m_generation;
    if (Engine* engine = m_engine.get()) {
        connect(engine, &Engine::stateChanged, this, &EngineHost::stateChanged);
        connect(engine, &Engine::voutAppeared, this, &EngineHost::voutAppeared);
    }
    emit engineChanged(m_engine.get());
}

void EngineHost::release()
{
    m_engine.reset();
    ++m_generation;
    emit engineChanged(nullptr);
}

void EngineHost::startEntry(int index, const QString& path)
{
    m_current = path;
    m_currentIsDrive = false;
    // The control is made with the item's snapshot folder among its options; a snapshot itself
    // is told the folder again, as the engine's instance outlives the item.
    m_options.setItem(m_settings.settings().snapshotPath, m_current);
    release();
    create();
    m_currentIndex = index;
    qCDebug(lcPlayback).noquote() << "playing" << index << m_current;
    if (m_engine) {
        m_engine->open(m_current, m_options.strings());
    }
}

void EngineHost::startDisc(const QString& drive)
{
    setCurrentDrive(drive);
    release();
    create();
}

bool EngineHost::openDisc(const QString& address)
{
    return m_engine && m_engine->open(address, m_options.strings());
}

void EngineHost::setCurrentDrive(const QString& drive)
{
    m_current = drive;
    m_currentIsDrive = true;
}

QString EngineHost::snapshotFolder() const
{
    if (m_current.isEmpty()) {
        return QString();
    }
    return EngineOptions::snapshotFolder(m_settings.settings().snapshotPath, m_current);
}
