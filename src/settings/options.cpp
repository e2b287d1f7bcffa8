#include "settings/options.h"

#include "platform/autostart.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "settings/frm_gestioneopzioni.h"
#include "settings/optionsfile.h"
#include "settings/personalpick.h"
#include "settings/stationpicker.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QTabWidget>

Options::Options(OptionsSetup setup, OptionsHooks hooks, QObject *parent)
    : QObject(parent)
    , m_setup(std::move(setup))
    , m_hooks(std::move(hooks))
{
}

QString Options::filePath() const
{
    return m_setup.settingsFolder + QLatin1String(OptionsFile::FileName);
}

void Options::ReadAtStartup()
{
    if (!QFile::exists(filePath()))
        return;
    QString reason;
    const std::optional<QStringList> lines = TextFile::readLines(filePath(), reason);
    if (!lines) {
        m_setup.dialogs->error(m_setup.messageParent, reason);
        return;
    }
    const OptionsFile::StartupReading read = OptionsFile::readAtStartup(*lines);
    m_autoPlayRead = read.autoPlay;
    m_startupId = read.startupId;
    if (read.autoPlay && read.startupId != 0)
        m_hooks.playStartupStation(read.startupId);
    else
        m_startupId = 0;
    m_startupName = read.startupName;
    m_slots = read.stations;
    m_searchAtStart = read.searchAtStart;
    m_messenger = read.messenger;
    m_timetable = read.timetable;
    m_hooks.setCurrentLanguage(read.language);
    emit changed();
    m_hooks.refreshFavourites();
}

void Options::attachDialog(TFrm_GestioneOpzioni *dialog)
{
    m_dialog = dialog;
    dialog->Lbl_NomeRadio()->setText(m_startupName);
    // The box says what the file said at start, so that the start-up station playing now
    // is named before the dialog is first opened.
    dialog->check("Chk_EsecuzioneRadio")->setChecked(m_autoPlayRead);
    connect(dialog, &TFrm_GestioneOpzioni::SpeedButton1Click, this, &Options::SpeedButton1Click);
    connect(dialog, &TFrm_GestioneOpzioni::changeClicked, this, &Options::CambiaClick);
    connect(dialog, &TFrm_GestioneOpzioni::clearClicked, this, &Options::CancellaClick);
    connect(dialog->check("Chk_EsecuzioneRadio"), &QCheckBox::toggled, this, &Options::changed);
    m_hooks.loadTimetable();
    m_hooks.timetableChanged(m_timetable);
    emit changed();
}

void Options::attachPicker(StationPicker *picker)
{
    m_picker = picker;
}

QString Options::nameShown() const
{
    return m_dialog ? m_dialog->Lbl_NomeRadio()->text() : m_startupName;
}

bool Options::playAtStartTicked() const
{
    return m_dialog && m_dialog->check("Chk_EsecuzioneRadio")->isChecked();
}

// Reads the file back into the dialog and into memory; creates it empty when it is missing.
bool Options::prepareDialog()
{
    if (!QFile::exists(filePath())) {
        const QString failure = TextFile::writeLines(filePath(), {});
        if (!failure.isEmpty()) {
            m_setup.dialogs->error(m_setup.messageParent, failure);
            return false;
        }
    } else {
        QString reason;
        const std::optional<QStringList> lines = TextFile::readLines(filePath(), reason);
        if (!lines) {
            m_setup.dialogs->error(m_setup.messageParent, reason);
            return false;
        }
        OptionsFile::DialogFields fields;
        fields.autoStart = m_dialog->check("Chk_AvvioAutomatico")->isChecked();
        fields.playAtStart = m_dialog->check("Chk_EsecuzioneRadio")->isChecked();
        fields.startupId = m_startupId;
        fields.stations = m_slots;
        fields.search = m_dialog->check("Chk_Google")->isChecked();
        fields.messenger = m_dialog->check("Chk_Msn")->isChecked();
        fields.timetable = m_dialog->check("Chk_Emittenti")->isChecked();
        OptionsFile::readIntoDialog(*lines, fields);
        m_dialog->check("Chk_AvvioAutomatico")->setChecked(fields.autoStart);
        m_dialog->check("Chk_EsecuzioneRadio")->setChecked(fields.playAtStart);
        m_startupId = fields.startupId;
        m_slots = fields.stations;
        m_dialog->check("Chk_Google")->setChecked(fields.search);
        m_dialog->check("Chk_Msn")->setChecked(fields.messenger);
        m_dialog->check("Chk_Emittenti")->setChecked(fields.timetable);
    }
    // A name picked in a dialog left without saving is not the start-up station's.
    m_dialog->Lbl_NomeRadio()->setText(m_startupName);
    for (int n = 1; n <= PersonalSlotCount; ++n) {
        if (QLabel *label = m_dialog->stationLabel(n))
            label->setText(m_slots.slot(n)->Name);
    }
    emit changed();
    return true;
}

void Options::ShowOptions(int page)
{
    if (!m_dialog)
        return;
    m_hooks.applyLanguage();
    m_dialog->refreshAccessibleNames();
    if (!prepareDialog())
        return;
    m_hooks.loadTimetable();
    m_pickedId = 0;
    if (page != -1) {
        const PersonalSlots before = m_slots;
        m_dialog->PageControl1()->setCurrentIndex(page);
        if (m_dialog->exec() != QDialog::Accepted) {
            // Nothing of a dialog left without saving stays in force.
            m_slots = before;
            m_hooks.loadTimetable();
            m_dialog->Lbl_NomeRadio()->setText(m_startupName);
            emit changed();
            return;
        }
    }
    save();
}

// Writes the file whole, then applies the switches, the timetable, the autostart entry and
// the favourites list. A failure stops there with the system's description of it.
bool Options::save()
{
    if (m_pickedId != 0)
        m_startupId = m_pickedId;
    if (!m_dialog->Lbl_NomeRadio()->text().isEmpty())
        m_startupName = m_dialog->Lbl_NomeRadio()->text();
    OptionsFile::Record record;
    record.autoStart = m_dialog->check("Chk_AvvioAutomatico")->isChecked();
    record.playAtStart = m_dialog->check("Chk_EsecuzioneRadio")->isChecked();
    record.startupId = m_startupId;
    record.startupName = m_startupName;
    record.stations = m_slots;
    record.search = m_dialog->check("Chk_Google")->isChecked();
    record.messenger = m_dialog->check("Chk_Msn")->isChecked();
    record.timetable = m_dialog->check("Chk_Emittenti")->isChecked();
    record.language = m_hooks.currentLanguage();
    const QString failure = TextFile::writeLines(filePath(), OptionsFile::compose(record));
    if (!failure.isEmpty()) {
        m_setup.dialogs->error(m_setup.messageParent, failure);
        return false;
    }

    // The switch follows the box, so that the search window's handle keeps it shown.
    m_searchAtStart = record.search;
    m_hooks.showSearchWindow(record.search);
    m_messenger = record.messenger;
    emit changed();
    m_hooks.messengerChanged(m_messenger);
    m_timetable = record.timetable;
    m_hooks.timetableChanged(m_timetable);
    const QString timetableFailure = m_hooks.saveTimetable();
    if (!timetableFailure.isEmpty()) {
        m_setup.dialogs->error(m_setup.messageParent, timetableFailure);
        return false;
    }
    Autostart::apply(m_setup.autostartFolder, record.autoStart, m_setup.programPath);
    m_hooks.refreshFavourites();
    emit changed();
    return true;
}

std::optional<TRadio> Options::pick()
{
    if (!m_picker)
        return std::nullopt;
    return PersonalPick::pickStation(*m_picker, m_hooks.serverRoot(), *m_setup.dialogs, m_dialog);
}

void Options::SpeedButton1Click()
{
    const std::optional<TRadio> picked = pick();
    if (!picked)
        return;
    m_pickedId = picked->Id;
    m_dialog->Lbl_NomeRadio()->setText(picked->Name);
    emit changed();
}

void Options::CambiaClick(int slot)
{
    if (!m_slots.slot(slot))
        return;
    const std::optional<TRadio> picked = pick();
    if (!picked)
        return;
    *m_slots.slot(slot) = *picked;
    if (QLabel *label = m_dialog->stationLabel(slot))
        label->setText(picked->Name);
    emit changed();
}

void Options::CancellaClick(int slot)
{
    if (!m_slots.slot(slot))
        return;
    *m_slots.slot(slot) = TRadio{};
    if (QLabel *label = m_dialog->stationLabel(slot))
        label->clear();
    emit changed();
}
