#include "core/app_state.h"

#include "core/settings.h"
#include "core/vehicle_table.h"
#include "store/atomic_file.h"
#include "store/code_page.h"
#include "store/text_case.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace {

// Names Windows gives to devices, with or without an extension (the names are Windows-1252 bytes:
// "\xB9", "\xB2", "\xB3" are the superscript digits 1, 2, 3 that Windows takes as port numbers too).
bool isDeviceName(std::string_view name) {
    const std::string_view stem = name.substr(0, name.find('.'));
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (sameTextIgnoringCase(stem, device)) return true;
    if (stem.size() != 4 ||
        !(sameTextIgnoringCase(stem.substr(0, 3), "COM") || sameTextIgnoringCase(stem.substr(0, 3), "LPT")))
        return false;
    const char digit = stem[3];
    return (digit >= '1' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3';
}

bool hasControlCharacter(std::string_view name) {
    return std::any_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

// A name of a file directly in the data directory on every platform: no path, no drive, no
// trailing dot or blank (Windows drops them and would reach another file), no short "~" name,
// no device.
bool isBareFileName(std::string_view name) {
    return !name.empty() && name.back() != '.' && name.back() != ' ' && !hasControlCharacter(name) &&
           name.find_first_of(std::string_view("/\\:~*?\"<>|", 10)) == std::string_view::npos && !isDeviceName(name);
}

} // namespace

QString AppState::path(std::string_view fileName) const {
    if (!isBareFileName(fileName)) return {};
    return DataDir + toDisplay(fileName);
}

QString AppState::vehicleFilePath(std::string_view fileName) const {
    return isVehicleFileName(fileName) ? path(fileName) : QString();
}

bool isVehicleFileName(std::string_view name) {
    return isBareFileName(name) && !sameTextIgnoringCase(name, kVehicleFileName) &&
           !sameTextIgnoringCase(name, kSettingsFileName);
}

std::optional<QString> saveTable(TMlb2& table, const AppState& state, std::string_view fileName) {
    if (table.SaveToFile(state.path(fileName))) return std::nullopt;
    return QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\r%2")
        .arg(toDisplay(fileName), table.ErrorReason());
}

std::optional<QString> saveVehicleFile(TMlb2& table, const AppState& state, std::string_view fileName) {
    if (!isVehicleFileName(fileName)) return refusedVehicleFileMessage(fileName);
    return saveTable(table, state, fileName);
}

QString refusedVehicleFileMessage(std::string_view fileName) {
    return QStringLiteral("Der Dateiname \"%1\" in kfzdata.csv ist nicht zulässig: er muss eine eigene Datei im "
                          "Datenverzeichnis benennen. Die Datei wird weder gelesen noch geschrieben.")
        .arg(toDisplay(fileName));
}

namespace {

QString unreadableMessage(std::string_view fileName, const QString& reason) {
    return QStringLiteral("Die Datei %1 konnte nicht gelesen werden.\r%2").arg(toDisplay(fileName), reason);
}

QString damagedNotKeptMessage(std::string_view fileName, const QString& reason) {
    return QStringLiteral(
               "Die Datei %1 war beschädigt und konnte nicht vollständig gelesen werden. Eine Kopie ihres "
               "ursprünglichen Inhalts konnte nicht angelegt werden, darum wird sie nicht überschrieben.\r%2")
        .arg(toDisplay(fileName), reason);
}

} // namespace

TableLoad loadTableFile(AppState& state, TMlb2& table, std::string_view fileName) {
    TableLoad load;
    const QString path = state.path(fileName);
    if (path.isEmpty() || !QFileInfo::exists(path)) return load;
    load.present = true;
    if (!table.LoadFromFile(path)) {
        load.error = unreadableMessage(fileName, table.ErrorReason());
        return load;
    }
    if (table.LoadedWhole()) return load;
    QByteArray original;
    QString reason;
    if (!readDataFile(path, original, &reason)) {
        load.error = damagedNotKeptMessage(fileName, reason);
        return load;
    }
    load.error = keepDamagedOriginal(state, fileName, original);
    return load;
}

bool readDataFile(const QString& path, QByteArray& bytes, QString* reason) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        // A pipe or a device would hold the program up.
        if (reason) *reason = notARegularFileReason();
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason) *reason = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() == QFileDevice::NoError) return true;
    if (reason) *reason = file.errorString();
    return false;
}

TMlb2 readRecordsForView(const AppState& state, std::string_view fileName) {
    TMlb2 records;
    const QString path = state.vehicleFilePath(fileName);
    QByteArray bytes;
    if (!path.isEmpty() && readDataFile(path, bytes))
        records.LoadFromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return records;
}

QString unreadableFileMessage(std::string_view fileName, const QString& reason) {
    return unreadableMessage(fileName, reason);
}

std::optional<QString> keepDamagedOriginal(AppState& state, std::string_view fileName, const QByteArray& original) {
    std::string key(fileName);
    std::transform(key.begin(), key.end(), key.begin(), asciiUpper); // one file, in any letter case
    if (state.keptDamagedFiles.count(key)) return std::nullopt;

    // Never over another file: a second copy within the same second gets a number.
    const std::string stem =
        std::string(fileName) + ".beschaedigt-" + state.clock.now().toString(u"dd.MM.yyyy-hh-mm-ss").toStdString();
    std::string copyName = stem;
    for (int n = 2; QFileInfo::exists(state.path(copyName)); ++n) copyName = stem + "-" + std::to_string(n);
    QString reason;
    if (saveFileAtomically(state.path(copyName),
                           std::string_view(original.constData(), static_cast<std::size_t>(original.size())),
                           &reason) != AtomicSaveResult::Ok)
        return damagedNotKeptMessage(fileName, reason);
    state.keptDamagedFiles.insert(key);
    state.notices.push_back(QStringLiteral("Die Datei %1 war beschädigt und konnte nicht vollständig gelesen werden. "
                                           "Eine Kopie des ursprünglichen Inhalts liegt unter %2.")
                                .arg(toDisplay(fileName), QDir::toNativeSeparators(state.path(copyName))));
    return std::nullopt;
}

QString takeNotices(AppState& state) {
    QStringList all;
    for (const QString& notice : state.notices) all << notice;
    state.notices.clear();
    return all.join(QStringLiteral("\r\r"));
}
