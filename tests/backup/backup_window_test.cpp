// "Datensicherung" and "Wechseldatenträger" over the main window, headless: the file dialogs, the
// documents folder and the drives are scripted, every prompt goes through ScriptedPrompts.

#include "backup/backup_dialog.h"
#include "backup/backup_fixture.h"
#include "backup/backup_windows.h"
#include "backup/medium_dialog.h"
#include "core/banner.h"
#include "support/window_fixture.h"
#include "ui_backup_dialog.h"
#include "ui_main_window.h"
#include "ui_medium_dialog.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedPrompts::Kind;

class BackupWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_documents.isValid() && m_drive.isValid());
        m_f.clock.set(QDateTime(QDate(2024, 3, 8), QTime(18, 30, 5)));
        m_f.withSampleData();
        TForm1& w = m_f.start();
        BackupSeams& s = w.backup().seams();
        s.documentsFolder = [this] { return m_documents.path(); };
        const auto scripted = [this](QWidget*, const QString& caption, const QString& start, const QString& filter) {
            m_asked.push_back({caption, start, filter});
            return m_answer;
        };
        s.saveFile = scripted;
        s.openFile = scripted;
        s.drives = [this] {
            return std::vector<Drive>{{"/", "/ (Festplatte)", false}, {m_drive.path(), "USB-STICK", true}};
        };
        s.programFiles = [this] { return QStringList{m_program}; };
    }
    TForm1& window() { return *m_f.window; }
    TForm24& backupShown() {
        TForm24& d = window().backup().backupDialog();
        d.prepare();
        d.show();
        return d;
    }
    TForm23& mediumShown() {
        TForm23& d = window().backup().mediumDialog();
        d.prepare();
        d.show();
        return d;
    }
    QString inDocuments(const char* name) const { return QDir(m_documents.path()).filePath(QLatin1String(name)); }
    // The vehicle table on the disk cut down to its first vehicle.
    void keepFirstVehicleOnly() {
        const std::string table = m_f.file("kfzdata.csv");
        const std::size_t firstRowEnd = table.find("\r\n", table.find("\r\n") + 2);
        ASSERT_NE(firstRowEnd, std::string::npos);
        ASSERT_TRUE(writeBytes(m_f.dataDir() + "kfzdata.csv", table.substr(0, firstRowEnd + 2)));
        window().takeUpData();
    }
    QStringList vehicleMenu() {
        QStringList out;
        for (QAction* a : window().vehicleMenu()->actions()) out << a->text();
        return out;
    }

    struct Asked {
        QString caption, start, filter;
    };
    MainWindowFixture m_f;
    QTemporaryDir m_documents, m_drive;
    std::vector<Asked> m_asked;
    std::optional<QString> m_answer;
    QString m_program;
};

TEST_F(BackupWindowTest, OpensWithTodaysTargetInTheDocumentsFolder) {
    EXPECT_TRUE(window().ui().actionDatensicherung->isEnabled());
    EXPECT_TRUE(window().ui().actionWechselmedium->isEnabled());
    TForm24& d = backupShown();
    Ui::TForm24& u = d.ui();
    EXPECT_EQ(d.windowTitle(), "Datensicherung");
    EXPECT_EQ(u.banner->caption(), "Datensicherung");
    EXPECT_EQ(u.targetLineEdit->text(), QDir::toNativeSeparators(m_documents.path() + "/kfz_08.03.2024.z"));
    EXPECT_TRUE(u.targetLineEdit->isReadOnly());
    EXPECT_EQ(u.archiveLineEdit->text(), QDir::toNativeSeparators(m_documents.path()));
    EXPECT_TRUE(u.chooseTargetButton->isEnabled());
    EXPECT_TRUE(u.backupButton->isEnabled());
    EXPECT_TRUE(u.chooseArchiveButton->isEnabled());
    EXPECT_FALSE(u.restoreButton->isEnabled());
    EXPECT_EQ(u.statusLabel->text(), "");
    EXPECT_EQ(u.progressBar->value(), 0);
}

TEST_F(BackupWindowTest, BacksUpToTheChosenTargetWithTheBusyCursorAndSaysWhere) {
    TForm24& d = backupShown();
    Ui::TForm24& u = d.ui();
    m_answer = inDocuments("gewaehlt.z");
    u.chooseTargetButton->click();
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0].caption, "Zielpfad auswählen");
    EXPECT_EQ(m_asked[0].start, QDir::toNativeSeparators(m_documents.path() + "/kfz_08.03.2024.z"));
    EXPECT_EQ(m_asked[0].filter, "z-Datei (*.z)");
    EXPECT_EQ(u.targetLineEdit->text(), QDir::toNativeSeparators(*m_answer));

    // While the first file is compressed: busy, everything disabled, its name in the status line.
    bool seen = false;
    QTimer::singleShot(0, &d, [&] {
        seen = true;
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(u.backupButton->isEnabled());
        EXPECT_FALSE(u.chooseArchiveButton->isEnabled());
        EXPECT_FALSE(u.closeButton->isEnabled());
        EXPECT_FALSE(u.targetLineEdit->isEnabled());
        EXPECT_EQ(u.statusLabel->text(), "kfz.ini");
    });
    u.backupButton->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(u.statusLabel->text(), "Sicherung wurde unter " + QDir::toNativeSeparators(*m_answer) + " angelegt.");
    EXPECT_EQ(u.progressBar->value(), 0);
    EXPECT_TRUE(u.backupButton->isEnabled());
    EXPECT_TRUE(u.closeButton->isEnabled());
    EXPECT_FALSE(u.restoreButton->isEnabled());
    EXPECT_TRUE(m_f.prompts.prompts.empty());

    FolderFiles archived;
    for (const ArchiveEntry& e : readArchive(*m_answer).entries) archived[e.relativePath()] = e.data;
    EXPECT_EQ(archived, readFiles(m_f.dataDir()));
}

TEST_F(BackupWindowTest, AFileThatCannotBeReadIsSaidAndTheWindowRecovers) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(m_f.dataDir() + "kfzdat.003").constData(), 0600), 0);
    TForm24& d = backupShown();
    ASSERT_TRUE(writeBytes(d.ui().targetLineEdit->text(), "alte Sicherung"));
    d.ui().backupButton->click();
    ASSERT_EQ(m_f.prompts.prompts.size(), 1u);
    EXPECT_EQ(m_f.prompts.prompts[0].kind, Kind::Error);
    EXPECT_TRUE(m_f.prompts.prompts[0].message.startsWith(
        "Die Datei " + QDir::toNativeSeparators(m_f.dataDir() + "kfzdat.003") + " konnte nicht gelesen werden."));
    EXPECT_EQ(readBytes(d.ui().targetLineEdit->text()), "alte Sicherung");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(d.ui().backupButton->isEnabled());
    EXPECT_EQ(d.ui().statusLabel->text(), "");
}

TEST_F(BackupWindowTest, RestoresTheChosenArchiveAndTheMainWindowTakesTheDataUp) {
    TForm24& d = backupShown();
    const QString archive = d.ui().targetLineEdit->text();
    d.ui().backupButton->click();
    const FolderFiles saved = readFiles(m_f.dataDir());
    const QStringList menu = vehicleMenu();
    ASSERT_EQ(menu.size(), 3);

    // One vehicle fewer on the disk, then the backup chosen and restored.
    keepFirstVehicleOnly();
    ASSERT_NE(vehicleMenu(), menu);

    d.prepare();
    m_answer = archive;
    d.ui().chooseArchiveButton->click();
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0].caption, "Gesichterte datei auswählen");
    EXPECT_EQ(m_asked[0].start, QDir::toNativeSeparators(m_documents.path()));
    EXPECT_EQ(m_asked[0].filter, "z-Dateien (*.z);;Alle Dateien (*.*)");
    EXPECT_EQ(d.ui().archiveLineEdit->text(), archive);
    EXPECT_TRUE(d.ui().restoreButton->isEnabled());

    m_f.prompts.prompts.clear();
    m_f.prompts.answers = {true};
    // What the status line shows while the work goes on, busy.
    QStringList shown;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QApplication::overrideCursor() && (shown.isEmpty() || shown.back() != d.ui().statusLabel->text()))
            shown << d.ui().statusLabel->text();
    });
    watcher.start();
    d.ui().restoreButton->click();
    watcher.stop();
    for (const char* file : {"kfz.ini", "kfzdat.001", "kfzdat.002", "kfzdata.csv"})
        EXPECT_TRUE(shown.contains(QLatin1String(file))) << file << " in " << shown.join(", ").toStdString();
    ASSERT_EQ(m_f.prompts.prompts.size(), 2u) << m_f.prompts.prompts.back().message.toStdString();
    EXPECT_EQ(m_f.prompts.prompts[0].kind, Kind::Confirm);
    EXPECT_EQ(m_f.prompts.prompts[0].message,
              "Möchten Sie die Daten des Programms durch die Datensicherung " + archive + " ersetzen ?");
    EXPECT_EQ(m_f.prompts.prompts[1].message, "Die Daten wurden aus " + archive + " wiederhergestellt.");
    EXPECT_EQ(readFiles(m_f.dataDir()), saved);
    EXPECT_EQ(vehicleMenu(), menu);
    EXPECT_EQ(d.ui().statusLabel->text(), "Die Daten wurden aus " + archive + " wiederhergestellt.");
    EXPECT_FALSE(d.ui().restoreButton->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(QFileInfo::exists(inDocuments("kfz_vor_Ruecksicherung_08.03.2024_18-30-05.z")));
}

TEST_F(BackupWindowTest, AnInvalidArchiveIsRefusedAndNothingChanges) {
    const QString archive = inDocuments("kaputt.z");
    ASSERT_TRUE(writeBytes(archive, "\x05..\\..kaputt"));
    const FolderFiles before = readFiles(m_f.dataDir());
    TForm24& d = backupShown();
    m_answer = archive;
    d.ui().chooseArchiveButton->click();
    m_f.prompts.answers = {true};
    d.ui().restoreButton->click();
    ASSERT_EQ(m_f.prompts.prompts.size(), 1u);
    EXPECT_EQ(m_f.prompts.prompts[0].message,
              "Die Datei " + QDir::toNativeSeparators(archive) + " ist keine gültige Datensicherung.");
    EXPECT_EQ(readFiles(m_f.dataDir()), before);
    EXPECT_TRUE(d.ui().restoreButton->isEnabled());
}

TEST_F(BackupWindowTest, TheMediumWindowOffersItsActionsOnlyForARemovableDrive) {
    TForm23& d = mediumShown();
    Ui::TForm23& u = d.ui();
    EXPECT_EQ(d.windowTitle(), "Wechseldatenträger");
    EXPECT_EQ(u.banner->caption(), "Mobiler Einsatz von Wagenwart");
    EXPECT_EQ(u.driveLabel->text().remove('&'), "Laufwerks-Auswahl");
    EXPECT_EQ(u.infoLabel->text(), "Falls Sie Wagenwart mobil nutzen möchten, können \n"
                                   "Sie die Datenbanken, sowie das Programm selbst auf einen \n"
                                   "Wechseldatenträger (z.B. USB-Stick) kopieren.\n\n"
                                   "Sie können dann das Programm direkt vom \n"
                                   "Wechseldatenträger im Verzeichnis \n"
                                   "\"Wagenwart\" starten.");
    EXPECT_EQ(u.copyDataButton->text(), "Datenbanken auf\nWechseldatenträger\nkopieren");
    EXPECT_EQ(u.copyProgramButton->text(), "Programm auf\nWechseldatenträger\nübertragen");
    EXPECT_EQ(u.copyBackButton->text(), "Datenbanken von\nWechseldatenträger\nauf PC kopieren");
    EXPECT_EQ(u.cancelButton->text(), "Abbruch");
    ASSERT_EQ(u.driveListWidget->count(), 2);
    EXPECT_EQ(u.driveListWidget->item(1)->text(), "USB-STICK");

    struct Step {
        int row;
        bool enabled;
    };
    for (const Step s : {Step{-1, false}, Step{1, true}, Step{0, false}, Step{1, true}}) {
        u.driveListWidget->setCurrentRow(s.row);
        EXPECT_EQ(u.copyDataButton->isEnabled(), s.enabled) << s.row;
        EXPECT_EQ(u.copyProgramButton->isEnabled(), s.enabled) << s.row;
        EXPECT_EQ(u.copyBackButton->isEnabled(), s.enabled) << s.row;
    }
}

TEST_F(BackupWindowTest, CopiesDataAndProgramToTheDriveAndTheDataBack) {
    QTemporaryDir programDir;
    m_program = QDir(programDir.path()).filePath("wagenwart");
    ASSERT_TRUE(writeBytes(m_program, "programm"));
    TForm23& d = mediumShown();
    d.ui().driveListWidget->setCurrentRow(1);
    const FolderFiles data = readFiles(m_f.dataDir());

    d.ui().copyDataButton->click();
    EXPECT_EQ(readFiles(m_drive.path() + "/Wagenwart/Daten"), data);
    d.ui().copyProgramButton->click();
    EXPECT_EQ(readBytes(m_drive.path() + "/Wagenwart/wagenwart"), "programm");
    ASSERT_EQ(m_f.prompts.prompts.size(), 2u);
    EXPECT_EQ(m_f.prompts.prompts[0].message, "Die Datenbanken wurden nach " +
                                                  QDir::toNativeSeparators(m_drive.path() + "/Wagenwart/Daten/") +
                                                  " kopiert.");
    EXPECT_EQ(m_f.prompts.prompts[1].message,
              "Das Programm wurde nach " + QDir::toNativeSeparators(m_drive.path() + "/Wagenwart/") + " übertragen.");

    // The data on the PC change; those of the drive come back and are taken up.
    const QStringList menu = vehicleMenu();
    keepFirstVehicleOnly();
    ASSERT_NE(vehicleMenu(), menu);
    m_f.prompts.prompts.clear();
    m_f.prompts.answers = {true};
    d.ui().copyBackButton->click();
    ASSERT_EQ(m_f.prompts.prompts.size(), 2u) << m_f.prompts.prompts.back().message.toStdString();
    EXPECT_EQ(m_f.prompts.prompts[0].kind, Kind::Confirm);
    EXPECT_EQ(m_f.prompts.prompts[1].kind, Kind::Information);
    EXPECT_EQ(readFiles(m_f.dataDir()), data);
    EXPECT_EQ(vehicleMenu(), menu);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(d.ui().copyBackButton->isEnabled());
    EXPECT_TRUE(QFileInfo::exists(inDocuments("kfz_vor_Ruecksicherung_08.03.2024_18-30-05.z")));
}

} // namespace
