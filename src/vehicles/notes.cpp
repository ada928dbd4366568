#include "vehicles/notes.h"

#include "core/app_state.h"
#include "store/atomic_file.h"
#include "store/code_page.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

using namespace Qt::StringLiterals;

NotesFile notesPath(const AppState& state) {
    const std::string& name = state.CurNotesFile;
    if (name.empty())
        return {{},
                u"Für dieses Fahrzeug ist in kfzdata.csv keine Notizdatei eingetragen (Feld \"file4\"). Die Notiz "
                u"kann weder gelesen noch gespeichert werden."_s};
    const QString path = state.vehicleFilePath(name);
    if (path.isEmpty()) return {{}, refusedVehicleFileMessage(name)};
    return {path, std::nullopt};
}

QString noteFromBytes(std::string_view bytes) {
    QString text = toDisplay(bytes);
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

QString cleanNoteText(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == u'\r' || u == u'\n' || u == 0x2028 || u == 0x2029) {
            if (u == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i; // CR LF is one break
            kept += u'\n';
        } else if (u == u'\t' || (u >= 0x20 && u != 0x7F && !(u >= 0x80 && u < 0xA0))) {
            kept += QChar(u);
        }
    }
    return kept;
}

std::string noteBytes(const QString& text) {
    return fromTyped(cleanNoteText(text), TypedText::LinesAndTabs);
}

NoteLoad loadNote(const AppState& state) {
    const NotesFile file = notesPath(state);
    if (file.error) return {{}, file.error};
    const QFileInfo info(file.path);
    if (!info.exists() && !info.isSymLink()) return {};
    QByteArray bytes;
    QString reason;
    if (!readDataFile(file.path, bytes, &reason)) return {{}, unreadableFileMessage(state.CurNotesFile, reason)};
    return {noteFromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))), std::nullopt};
}

QString charactersOutsideCodePage(const QString& typed) {
    const QString text = cleanNoteText(typed);
    QString found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString ch(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ch += text.at(++i);
        if (ch == u"?"_s || fromDisplay(ch) != "?") continue;
        if (!found.contains(ch)) found += ch;
    }
    return found;
}

std::optional<QString> saveNote(const AppState& state, const QString& text) {
    const NotesFile file = notesPath(state);
    if (file.error) return file.error;
    const QString missing = charactersOutsideCodePage(text);
    if (!missing.isEmpty()) {
        QStringList shown;
        for (qsizetype i = 0; i < missing.size(); ++i) {
            QString ch(missing.at(i));
            if (missing.at(i).isHighSurrogate() && i + 1 < missing.size()) ch += missing.at(++i);
            shown << u"\""_s + ch + u"\""_s;
        }
        return u"Die Notiz enthält Zeichen, die in der Notizdatei nicht gespeichert werden können: %1\r"
               u"Bitte entfernen oder ersetzen Sie diese Zeichen. Die Notiz wurde nicht gespeichert."_s.arg(
                   shown.join(u", "_s));
    }
    QString reason;
    if (saveFileAtomically(file.path, noteBytes(text), &reason) == AtomicSaveResult::Ok) return std::nullopt;
    return u"Die Datei %1 konnte nicht gespeichert werden.\r%2"_s.arg(toDisplay(state.CurNotesFile), reason);
}
