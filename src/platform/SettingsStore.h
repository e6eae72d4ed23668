#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace noctiva::platform {

// Application, main section and notes section of the per-user settings store.
// Sections are written with a backslash between levels, as the rest of the
// program names them; the store maps that to QSettings' '/' group separator.
inline constexpr QLatin1String kApplication{"Tarvel_Programming"};
inline constexpr QLatin1String kMainSection{"Noctiva"};
inline constexpr QLatin1String kNotesSection{"Noctiva\\Descriptions"};

// Per-user settings in an INI file. Values are strings; key names match
// without regard to case. Every write is flushed to disk (atomically, through
// a temporary file and a rename) before the call returns, and a write that did
// not reach the disk reports false with a reason in lastError().
class SettingsStore {
  public:
    // ~/.config/Tarvel_Programming/Noctiva.ini (honours XDG_CONFIG_HOME).
    SettingsStore();
    explicit SettingsStore(QString filePath);

    QString filePath() const { return path_; }

    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    [[nodiscard]] bool SaveSetting(const QString& section, const QString& key,
                                   const QString& value);
    // Removes the key in every spelling; a missing key is not an error.
    [[nodiscard]] bool DeleteSetting(const QString& section, const QString& key);

    // "True"/"False" in any case, also "-1"/"0"; anything else gives def.
    bool GetBool(const QString& section, const QString& key, bool def) const;
    // Decimal integer text; anything else (or out of range) gives def.
    int GetInt(const QString& section, const QString& key, int def) const;
    // Key names of the section as they are spelt in the file.
    QStringList Keys(const QString& section) const;

    // Reason of the last failed write, in Russian; empty after a success.
    QString lastError() const { return lastError_; }

  private:
    // Writes `value`, or deletes the key when there is none.
    bool write(const QString& section, const QString& key, const std::optional<QString>& value);
    bool fail(const QString& reason);

    QString path_;
    QString lastError_;
};

}  // namespace noctiva::platform
