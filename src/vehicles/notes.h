#pragma once
// The note of a vehicle: one plain text file of the data directory ("file4" of the vehicle's row),
// Windows-1252 with CR LF between the lines. A missing file is an empty note.

#include <QString>

#include <optional>

class AppState;

// The current vehicle's notes file (CurNotesFile): its path, or the message why there is none to
// read or write (no name in kfzdata.csv, or a name that is no file of the data directory).
struct NotesFile {
    QString path;
    std::optional<QString> error;
};
NotesFile notesPath(const AppState& state);

// The note as the editor shows it: lines separated by "\n". A missing file gives an empty text; a
// name that is no regular file or a file that cannot be read gives the message, and such a file is
// never written over.
struct NoteLoad {
    QString text;
    std::optional<QString> error;
};
NoteLoad loadNote(const AppState& state);

// What a user typed or pasted, as a note keeps it: control characters other than tabs removed,
// every line break (CR LF, CR, LF, U+2028, U+2029) a "\n".
QString cleanNoteText(const QString& text);
// The editor's text as it is stored: control characters other than line breaks and tabs removed,
// line breaks as CR LF, Windows-1252 bytes. Characters the code page lacks are not allowed here:
// check them first with charactersOutsideCodePage.
std::string noteBytes(const QString& text);
// The note from the bytes of its file: CR LF, a lone CR and a lone LF each become "\n".
QString noteFromBytes(std::string_view bytes);

// The characters of cleanNoteText(text) that Windows-1252 cannot hold, each once, in the order
// they first appear; empty when there is none.
QString charactersOutsideCodePage(const QString& text);

// Writes the note whole (atomically) to the current vehicle's notes file. nullopt on success, else
// the message for the user: a character the code page lacks (nothing written), or
// "Die Datei <name> konnte nicht gespeichert werden." with the system's reason.
[[nodiscard]] std::optional<QString> saveNote(const AppState& state, const QString& text);
