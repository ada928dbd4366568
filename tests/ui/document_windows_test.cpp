// The notes window and the cost report, headless through the prompts, printer and save seams:
// loading and saving the note, printing both, the report's value field, slider, picture, RTF file.

#include "support/capture_printer.h"
#include "support/file_size_limit.h"
#include "support/pdf_printer.h"
#include "support/window_fixture.h"
#include "ui_cost_report_dialog.h"
#include "ui_main_window.h"
#include "ui_notes_dialog.h"
#include "vehicles/cost_report_dialog.h"
#include "vehicles/document_print.h"
#include "vehicles/document_windows.h"
#include "vehicles/notes_dialog.h"

#include <QApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Kind = ScriptedPrompts::Kind;

namespace {

// The box of the dark pixels of a page.
QRect ink(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 160) box |= QRect(x, y, 1, 1);
    return box;
}

class DocumentWindowsTest : public ::testing::Test, protected MainWindowFixture {
protected:
    void SetUp() override {
        withSampleData();
        start();
        window->vehicleMenu()->actions().at(0)->trigger(); // A-BC 1 (kfz.ini remembers the second)
        window->documents().setSeams(printer, saveFile);
    }
    TForm15& notes() { return window->documents().notes(); }
    TForm14& report() { return window->documents().costReport(); }
    QString reportText() { return report().ui().reportText->toPlainText(); }
    void writeData(const char* name, std::string_view bytes) {
        ASSERT_TRUE(writeBytes(dataDir() + QLatin1String(name), bytes));
    }
    // Runs `check` on the modal window that `open` shows, then closes it.
    template <typename W> void whileOpen(const std::function<void()>& open, const std::function<void(W&)>& check) {
        bool seen = false;
        // A timer of this call only: one left over must not close a later window.
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
                seen = true;
                check(*w);
                w->reject();
            }
        });
        timer.start(0);
        open();
        EXPECT_TRUE(seen);
    }

    CapturePrinter printer;
    ScriptedSaveFile saveFile;
};

TEST_F(DocumentWindowsTest, NotesButtonOpensTheNoteOfTheCurrentVehicle) {
    writeData("kfznotiz.001", "Winterreifen im Keller\r\nR\xFC"
                              "ckruf pr\xFC"
                              "fen");
    ASSERT_TRUE(window->ui().notesButton->isEnabled());
    whileOpen<TForm15>([&] { window->ui().notesButton->click(); },
                       [&](TForm15& d) {
                           EXPECT_EQ(d.windowTitle(), u"A-BC 1  /  Golf"_s);
                           EXPECT_EQ(d.ui().banner->caption(), u"Notizen"_s);
                           EXPECT_EQ(d.ui().noteEdit->toPlainText(), u"Winterreifen im Keller\nRückruf prüfen"_s);
                       });
    EXPECT_TRUE(prompts.prompts.empty());
}

TEST_F(DocumentWindowsTest, SaveCreatesTheFileAndClosingWithoutSavingKeepsIt) {
    ASSERT_TRUE(notes().prepare());
    EXPECT_EQ(notes().ui().noteEdit->toPlainText(), QString()); // no file yet
    EXPECT_EQ(file("kfznotiz.001"), "<missing>");
    notes().ui().noteEdit->setPlainText(u"Ölwechsel 89,90 €\nTÜV im März"_s);
    notes().ui().saveButton->click();
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_EQ(file("kfznotiz.001"), "\xD6lwechsel 89,90 \x80\r\nT\xDCV im M\xE4rz");

    // Edited, closed with Escape: nothing saved, and the next opening shows the stored note.
    notes().show();
    notes().ui().noteEdit->setPlainText(u"verworfen"_s);
    QTest::keyClick(notes().ui().noteEdit, Qt::Key_Escape);
    EXPECT_FALSE(notes().isVisible());
    EXPECT_EQ(file("kfznotiz.001"), "\xD6lwechsel 89,90 \x80\r\nT\xDCV im M\xE4rz");
    ASSERT_TRUE(notes().prepare());
    EXPECT_EQ(notes().ui().noteEdit->toPlainText(), u"Ölwechsel 89,90 €\nTÜV im März"_s);
}

TEST_F(DocumentWindowsTest, TabInsertsATabAndPastedControlCharactersGo) {
    ASSERT_TRUE(notes().prepare());
    notes().show();
    QTest::keyClicks(notes().ui().noteEdit, u"a"_s);
    QTest::keyClick(notes().ui().noteEdit, Qt::Key_Tab);
    QTest::keyClicks(notes().ui().noteEdit, u"b"_s);
    QMimeData pasted;
    pasted.setText(u"\u0007c\u001A\r\nd"_s);
    notes().ui().noteEdit->insertFromMimeData(&pasted);
    EXPECT_EQ(notes().ui().noteEdit->toPlainText(), u"a\tbc\nd"_s);
    EXPECT_EQ(notes().ui().noteEdit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(notes().ui().noteEdit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    notes().reject();
}

TEST_F(DocumentWindowsTest, SwitchingTheVehicleShowsTheOtherNoteAndNamesThePrintJobAfterIt) {
    writeData("kfznotiz.001", "Golf");
    writeData("kfznotiz.002", "Transporter: Anh\xE4ngerkupplung");
    window->vehicleMenu()->actions().at(1)->trigger();
    ASSERT_EQ(window->currentVehicleCaption(), u"B-XY 10  /  Transporter"_s);
    ASSERT_TRUE(notes().prepare());
    EXPECT_EQ(notes().windowTitle(), u"B-XY 10  /  Transporter"_s);
    EXPECT_EQ(notes().ui().noteEdit->toPlainText(), u"Transporter: Anhängerkupplung"_s);

    printer.answer = PrintRange{1, 1, 2};
    notes().ui().printButton->click();
    ASSERT_EQ(printer.jobs.size(), 2u); // one job per copy
    for (const CapturedJob& job : printer.jobs) {
        EXPECT_EQ(job.title, u"B-XY 10  /  Transporter - Notiz"_s);
        EXPECT_EQ(job.orientation, alr_Portrait);
        EXPECT_TRUE(job.ended);
        ASSERT_EQ(job.pages.size(), 1u);
        // The text starts 1 inch (96 pixels) from the paper's left and top edges.
        const QRect box = ink(job.pages[0]);
        EXPECT_GE(box.left(), 96);
        EXPECT_LE(box.left(), 104);
        EXPECT_GE(box.top(), 96);
        EXPECT_LE(box.top(), 112);
    }
    printer.answer.reset();
    notes().ui().printButton->click(); // "Abbrechen"
    EXPECT_EQ(printer.jobs.size(), 2u);
}

TEST_F(DocumentWindowsTest, PrintedNoteReadsBackFromThePdf) {
    QTemporaryDir out;
    PdfPrinter pdf(out.path());
    window->documents().setSeams(pdf, saveFile);
    std::string longNote;
    for (int i = 1; i <= 80; ++i)
        longNote += "Zeile " + std::to_string(i) +
                    " \xFC"
                    "ber \x80\r\n";
    writeData("kfznotiz.001", longNote);
    ASSERT_TRUE(notes().prepare());
    notes().onPrint();
    ASSERT_EQ(pdf.files.size(), 1u);
    EXPECT_EQ(pdf.titles[0], u"A-BC 1  /  Golf - Notiz"_s);
    const QString text = PdfPrinter::text(pdf.files[0]);
    EXPECT_TRUE(text.contains(u"Zeile 1 über €"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"Zeile 80 über €"_s));
    EXPECT_TRUE(text.contains(u"\f"_s)); // more than one page
}

TEST_F(DocumentWindowsTest, ANoteTheCodePageCannotHoldIsRefusedAndNothingIsWritten) {
    writeData("kfznotiz.001", "alt");
    ASSERT_TRUE(notes().prepare());
    notes().ui().noteEdit->setPlainText(u"Haken ✓"_s);
    EXPECT_FALSE(notes().onSave());
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Error);
    EXPECT_TRUE(prompts.last()->message.contains(u"\"✓\""_s));
    EXPECT_EQ(file("kfznotiz.001"), "alt");
}

TEST_F(DocumentWindowsTest, AFileThatCannotBeWrittenOrReadIsSaid) {
    writeData("kfznotiz.001", "alt");
    ASSERT_TRUE(notes().prepare());
    notes().ui().noteEdit->setPlainText(u"Eine längere Notiz als erlaubt"_s);
    {
        const FileSizeLimit limit(8);
        EXPECT_FALSE(notes().onSave());
    }
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_TRUE(prompts.last()->message.startsWith(u"Die Datei kfznotiz.001 konnte nicht gespeichert werden.\r"_s));
    EXPECT_EQ(file("kfznotiz.001"), "alt");

    // A folder in place of the note: said at opening, and "Speichern" writes nothing.
    window->vehicleMenu()->actions().at(1)->trigger();
    ASSERT_TRUE(QDir().mkdir(dataDir() + "kfznotiz.002"));
    EXPECT_EQ(notes().exec(), QDialog::Rejected);
    ASSERT_EQ(prompts.prompts.size(), 2u);
    EXPECT_TRUE(prompts.last()->message.startsWith(u"Die Datei kfznotiz.002 konnte nicht gelesen werden."_s));
    EXPECT_FALSE(notes().onSave());
    EXPECT_TRUE(QFileInfo(dataDir() + "kfznotiz.002").isDir());
}

TEST_F(DocumentWindowsTest, ReportWithoutAFillUpIsOnlyAMessage) {
    window->vehicleMenu()->actions().at(2)->trigger(); // M-EL 3 has no records
    ASSERT_TRUE(window->ui().actionBerichtZeigen->isEnabled());
    bool opened = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* w = qobject_cast<TForm14*>(QApplication::activeModalWidget())) {
            opened = true;
            w->reject();
        }
    });
    timer.start(0);
    window->ui().actionBerichtZeigen->trigger();
    EXPECT_FALSE(opened);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->message, u"Es stehen nicht ausreichend Daten zur Erstellung des Berichts zur Verfügung. "
                                       u"Es muß mindestens einmal getankt worden sein!"_s);
}

TEST_F(DocumentWindowsTest, ReportOfTheCurrentVehicleWithItsValueAndSpeed) {
    whileOpen<TForm14>([&] { window->ui().actionBerichtZeigen->trigger(); },
                       [&](TForm14& d) {
                           EXPECT_EQ(d.windowTitle(), u"A-BC 1  /  Golf"_s);
                           EXPECT_EQ(d.ui().banner->caption(), u"Bericht"_s);
                           EXPECT_EQ(d.width(), TForm14::kTextWidth + 42); // no picture
                       });
    EXPECT_TRUE(prompts.prompts.empty());
    const QTextBlock title = report().ui().reportText->document()->firstBlock();
    EXPECT_EQ(title.text().split(QChar::LineSeparator).front(), u"Wagenwart"_s);
    EXPECT_EQ(title.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(report().ui().valueSpinBox->value(), 0); // "apreis"
    EXPECT_EQ(report().ui().speedSlider->value(), 70);
    EXPECT_TRUE(reportText().contains(u"Zusammenfassung für A-BC 1 - Golf"_s));
    // The panel's figures, one blank before the currency.
    EXPECT_TRUE(reportText().contains(u"112,50 € Treibstoffkosten, 200,00 € Sonstige-Kosten und  20000,00 € "
                                      u"Wertverlust."_s))
        << reportText().toStdString();
    EXPECT_TRUE(reportText().contains(u"Es wurde 1 mal eine Service-Wartung durchgeführt."_s));
    EXPECT_TRUE(reportText().contains(u"-- 10.05.2026 --"_s));

    report().ui().valueSpinBox->setValue(12000);
    EXPECT_EQ(window->state().VehicleTable.GetValue("apreis"), "12000");
    EXPECT_TRUE(reportText().contains(u"Der Kauf-/Verkaufspreis beträgt : 20000 € / 12000,00 €."_s));
    EXPECT_TRUE(reportText().contains(u"Das bedeutet einen Wertverlust von 40,0 %"_s));

    report().ui().speedSlider->setValue(40);
    EXPECT_TRUE(reportText().contains(u"Durchschnittsgeschwindigkeit von 40 km/h"_s));
    EXPECT_EQ(report().ui().speedValueLabel->text(), u"40 km/h"_s);
    // The slider keeps its place for the next opening; the value comes from "apreis" again.
    report().prepare();
    EXPECT_EQ(report().ui().speedSlider->value(), 40);
    EXPECT_EQ(report().ui().valueSpinBox->value(), 12000);

    // The vehicle table goes to disk with its next save: at the end of the run.
    EXPECT_EQ(file("kfzdata.csv").find(";12000;"), std::string::npos);
    window.reset();
    EXPECT_NE(file("kfzdata.csv").find("kfzwv.001;;0;0;12000;0;kfzterm.001"), std::string::npos) << file("kfzdata.csv");
}

TEST_F(DocumentWindowsTest, ReportOfOneRecordIsTheOneSentence) {
    writeData("kfzdat.003", "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n"
                            "3;01.03.2026;10000;30,00;60,00;ja;t;;;;0\r\n");
    window->vehicleMenu()->actions().at(2)->trigger();
    ASSERT_TRUE(report().preparePicture());
    report().prepare();
    EXPECT_EQ(reportText(), u"Es sind nicht genügend Daten zu Erstellung des Berichts vorhanden."_s);
}

TEST_F(DocumentWindowsTest, PictureWidensTheWindow) {
    QTemporaryDir pictures;
    QImage photo(480, 320, QImage::Format_RGB32);
    photo.fill(Qt::darkBlue);
    const QString path = pictures.filePath(u"golf.png"_s);
    ASSERT_TRUE(photo.save(path));
    ASSERT_TRUE(window->state().VehicleTable.SetValue("bild", path.toStdString()));
    ASSERT_TRUE(report().preparePicture());
    const int shown = report().ui().pictureLabel->pixmap().width();
    EXPECT_EQ(shown, 240); // scaled down with its proportions
    EXPECT_EQ(report().ui().pictureLabel->pixmap().height(), 160);
    EXPECT_EQ(report().width(), TForm14::kTextWidth + shown + 46);

    ASSERT_TRUE(window->state().VehicleTable.SetValue("bild", (path + u".fehlt"_s).toStdString()));
    ASSERT_TRUE(report().preparePicture());
    EXPECT_TRUE(report().ui().pictureLabel->pixmap().isNull());
    EXPECT_EQ(report().width(), TForm14::kTextWidth + 42);
}

TEST_F(DocumentWindowsTest, SavedReportAsksBeforeReplacingAndSaysAFailure) {
    QTemporaryDir out;
    const QString path = out.filePath(u"bericht.rtf"_s);
    ASSERT_TRUE(report().preparePicture());
    report().prepare();
    saveFile.answers = {path};
    ASSERT_TRUE(report().onSave());
    ASSERT_EQ(saveFile.requests.size(), 1u);
    EXPECT_TRUE(saveFile.requests[0].proposedPath.endsWith(u"/A-BC 1.rtf"_s))
        << saveFile.requests[0].proposedPath.toStdString();
    EXPECT_EQ(saveFile.requests[0].filter, u"Text files (*.rtf *.txt)"_s);
    EXPECT_TRUE(prompts.prompts.empty());
    const std::string written = readBytes(path);
    EXPECT_EQ(written.rfind("{\\rtf1", 0), 0u);
    QProcess unrtf;
    unrtf.start(u"unrtf"_s, {u"--text"_s, path});
    ASSERT_TRUE(unrtf.waitForFinished(30000));
    // unrtf's text output is Latin-1 and has no euro sign.
    const QString read = QString::fromLatin1(unrtf.readAllStandardOutput()).simplified();
    EXPECT_TRUE(read.contains(u"Zusammenfassung für A-BC 1 - Golf"_s)) << read.toStdString();
    EXPECT_TRUE(read.contains(u"Es wurde 1 mal eine Service-Wartung durchgeführt."_s));

    // An existing file: "No" keeps it, "Yes" replaces it.
    ASSERT_TRUE(writeBytes(path, "alt"));
    saveFile.answers = {path};
    EXPECT_FALSE(report().onSave());
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Question);
    EXPECT_EQ(prompts.last()->message, u"OK to overwrite "_s + QDir::toNativeSeparators(path));
    EXPECT_EQ(readBytes(path), "alt");
    saveFile.answers = {path};
    prompts.answers = {true};
    EXPECT_TRUE(report().onSave());
    EXPECT_EQ(readBytes(path), written);

    // A file that cannot be written: said with the reason, the old one kept.
    saveFile.answers = {path};
    prompts.answers = {true};
    {
        const FileSizeLimit limit(64);
        EXPECT_FALSE(report().onSave());
    }
    EXPECT_EQ(prompts.last()->kind, Kind::Error);
    EXPECT_TRUE(prompts.last()->message.startsWith(u"Die Datei "_s + QDir::toNativeSeparators(path) +
                                                   u" konnte nicht gespeichert werden.\r"_s));
    EXPECT_EQ(readBytes(path), written);
    saveFile.answers = {std::nullopt}; // "Abbrechen"
    EXPECT_FALSE(report().onSave());
}

TEST_F(DocumentWindowsTest, PrintedReportIsOneJobPerCopyAndReadsBackFromThePdf) {
    ASSERT_TRUE(report().preparePicture());
    report().prepare();
    printer.answer = PrintRange{1, 1, 3};
    report().ui().printButton->click();
    ASSERT_EQ(printer.jobs.size(), 3u);
    for (const CapturedJob& job : printer.jobs) {
        EXPECT_EQ(job.title, u"Wagenwart Bericht"_s);
        EXPECT_EQ(job.orientation, alr_Portrait);
        EXPECT_TRUE(job.ended);
        const QRect box = ink(job.pages.at(0));
        EXPECT_GE(box.left(), 96);
        EXPECT_GE(box.top(), 96);
        // 3/4 inch from the right edge of a paper with the left hardware margin on both sides.
        EXPECT_LE(box.right(), 10 + 784 + 10 - 72);
        EXPECT_GE(box.right(), 10 + 784 + 10 - 72 - 60); // the text fills the lines
    }

    QTemporaryDir out;
    PdfPrinter pdf(out.path());
    window->documents().setSeams(pdf, saveFile);
    report().onPrint();
    ASSERT_EQ(pdf.files.size(), 1u);
    const QString text = PdfPrinter::text(pdf.files[0]).simplified();
    EXPECT_TRUE(text.startsWith(u"Wagenwart Zusammenfassung für A-BC 1 - Golf"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"Der Kauf-/Verkaufspreis beträgt : 20000 € / 0,00 €."_s)) << text.toStdString();
    pdf.cancel = true;
    report().onPrint();
    EXPECT_EQ(pdf.files.size(), 1u);
}

TEST(DocumentPageArea, MarginsFromThePaperEdges) {
    // 600 dpi, A4 with hardware margins of 100 pixels left and 50 top.
    const DeviceMetrics m{600, 4760, 6916, 100, 50};
    const QRect area = documentPageArea(m);
    EXPECT_EQ(area.left(), 500); // 1 inch from the paper
    EXPECT_EQ(area.top(), 550);
    EXPECT_EQ(area.right() + 1, 4760 + 100 - 450); // 3/4 inch from the right edge
    EXPECT_EQ(area.bottom() + 1, 6916 + 50 - 600); // 1 inch from the bottom
    // A hardware margin wider than the wanted one: the printable area's edge.
    const QRect wide = documentPageArea({96, 700, 1000, 120, 100});
    EXPECT_EQ(wide.left(), 0);
    EXPECT_EQ(wide.top(), 0);
}

} // namespace
