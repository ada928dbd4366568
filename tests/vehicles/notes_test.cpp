// The note of a vehicle: its file in Windows-1252 with CR LF, a missing file, files that cannot be
// read or written, and characters the code page lacks.
#include "support/app_state_fixture.h"
#include "support/file_size_limit.h"
#include "support/qt_print.h"
#include "vehicles/notes.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

class Notes : public AppStateTest {
protected:
    Notes() : AppStateTest(QDateTime(QDate(2026, 5, 10), QTime(9, 30))) { m_state.CurNotesFile = "kfznotiz.001"; }
};

TEST_F(Notes, RoundTripInWindows1252WithCrLf) {
    EXPECT_EQ(loadNote(m_state).text, QString()); // no file yet: an empty note
    EXPECT_FALSE(loadNote(m_state).error);
    const QString note = u"Reifen: Sommer/Winter\n\tÖlwechsel bei 15.000 km – 89,90 €\n\nÄußerst ärgerlich"_s;
    ASSERT_FALSE(saveNote(m_state, note));
    EXPECT_EQ(file("kfznotiz.001"),
              "Reifen: Sommer/Winter\r\n\t\xD6lwechsel bei 15.000 km \x96 89,90 \x80\r\n\r\n\xC4u\xDF"
              "erst \xE4rgerlich");
    EXPECT_EQ(loadNote(m_state).text, note);
}

TEST_F(Notes, LineBreaksOfEveryKindAndControlCharacters) {
    ASSERT_TRUE(writeBytes(dataDir() + "kfznotiz.001", "eins\rzwei\ndrei\r\nvier"));
    EXPECT_EQ(loadNote(m_state).text, u"eins\nzwei\ndrei\nvier"_s);
    // Typed or pasted: control characters go, tabs and line breaks stay.
    EXPECT_EQ(cleanNoteText(u"a\u0007b\u001Ac\td\r\ne\u2028f\u0085g\u007F"_s), u"abc\td\ne\nfg"_s);
    ASSERT_FALSE(saveNote(m_state, u"a\u001Ab\r\nc"_s));
    EXPECT_EQ(file("kfznotiz.001"), "ab\r\nc");
}

TEST_F(Notes, CharactersTheCodePageLacksAreRefusedAndNothingIsWritten) {
    ASSERT_TRUE(writeBytes(dataDir() + "kfznotiz.001", "alt"));
    EXPECT_EQ(charactersOutsideCodePage(u"Ölwechsel € ? ✓ Łódź ✓ 🚗"_s), u"✓Łź🚗"_s);
    const auto error = saveNote(m_state, u"Termin ✓ in Łódź 🚗"_s);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, u"Die Notiz enthält Zeichen, die in der Notizdatei nicht gespeichert werden können: \"✓\", "
                      u"\"Ł\", \"ź\", \"🚗\"\rBitte entfernen oder ersetzen Sie diese Zeichen. Die Notiz wurde nicht "
                      u"gespeichert."_s);
    EXPECT_EQ(file("kfznotiz.001"), "alt");
}

TEST_F(Notes, AFileThatCannotBeWrittenIsReportedAndKept) {
    ASSERT_TRUE(writeBytes(dataDir() + "kfznotiz.001", "alt"));
    std::optional<QString> error;
    {
        const FileSizeLimit limit(8);
        error = saveNote(m_state, u"Eine Notiz, die länger ist als acht Bytes"_s);
    }
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->startsWith(u"Die Datei kfznotiz.001 konnte nicht gespeichert werden.\r"_s))
        << error->toStdString();
    EXPECT_GT(error->size(), u"Die Datei kfznotiz.001 konnte nicht gespeichert werden.\r"_s.size()); // the reason
    EXPECT_EQ(file("kfznotiz.001"), "alt");
}

TEST_F(Notes, ANameThatIsNoRegularFileIsReportedAndNeverWritten) {
    ASSERT_TRUE(QDir().mkdir(dataDir() + "kfznotiz.001"));
    const NoteLoad load = loadNote(m_state);
    ASSERT_TRUE(load.error);
    EXPECT_TRUE(load.error->startsWith(u"Die Datei kfznotiz.001 konnte nicht gelesen werden.\r"_s));
    EXPECT_TRUE(saveNote(m_state, u"neu"_s));
    EXPECT_TRUE(QFileInfo(dataDir() + "kfznotiz.001").isDir());

    m_state.CurNotesFile = "kfznotiz.002";
    ASSERT_EQ(mkfifo(QFile::encodeName(dataDir() + "kfznotiz.002").constData(), 0600), 0);
    EXPECT_TRUE(loadNote(m_state).error); // at once, without waiting for a writer
}

TEST_F(Notes, AVehicleWithoutANotesFileNameOrWithAForbiddenOne) {
    m_state.CurNotesFile.clear();
    EXPECT_EQ(notesPath(m_state).path, QString());
    ASSERT_TRUE(loadNote(m_state).error);
    EXPECT_EQ(*loadNote(m_state).error, u"Für dieses Fahrzeug ist in kfzdata.csv keine Notizdatei eingetragen "
                                        u"(Feld \"file4\"). Die Notiz kann weder gelesen noch gespeichert werden."_s);
    EXPECT_TRUE(saveNote(m_state, u"x"_s));
    m_state.CurNotesFile = "../notiz";
    EXPECT_TRUE(loadNote(m_state).error);
    EXPECT_TRUE(saveNote(m_state, u"x"_s));
    m_state.CurNotesFile = "KFZDATA.CSV";
    EXPECT_TRUE(saveNote(m_state, u"x"_s));
    EXPECT_EQ(QDir(dataDir()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 0);
    m_state.CurNotesFile = "kfznotiz.003";
    EXPECT_EQ(notesPath(m_state).path, dataDir() + "kfznotiz.003");
}

} // namespace
