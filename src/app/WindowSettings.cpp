#include "app/WindowSettings.h"

#include <QDebug>

#include "platform/SettingsStore.h"

namespace noctiva::app {

namespace {

const QString kSection = platform::kMainSection;

std::optional<int> OptionalInt(const platform::SettingsStore& store, const QString& key) {
    const QString text = store.GetSetting(kSection, key, QString());
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

QString BoolText(bool b) {
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

}  // namespace

WindowSettings ReadWindowSettings(const platform::SettingsStore& store) {
    WindowSettings s;
    s.toTray = store.GetBool(kSection, QStringLiteral("ToTray"), false);
    s.top = OptionalInt(store, QStringLiteral("Top"));
    s.left = OptionalInt(store, QStringLiteral("Left"));
    s.zam = store.GetBool(kSection, QStringLiteral("Zam"), true);
    s.ecliptic = store.GetBool(kSection, QStringLiteral("Ecliptic"), false);
    s.customColor = store.GetBool(kSection, QStringLiteral("CustomColor"), false);
    bool ok = false;
    const qint64 colour = store.GetSetting(kSection, QStringLiteral("ColorValue"), QString())
                              .trimmed()
                              .toLongLong(&ok);
    if (ok) {
        s.colorValue = colour;
    }
    s.color = store.GetInt(kSection, QStringLiteral("Color"), 0);
    if (s.color < 0 || s.color > 8) {
        s.color = 0;
    }
    s.wineMode = store.GetBool(kSection, QStringLiteral("winemode"), false);
    s.fontSize = store.GetInt(kSection, QStringLiteral("FontSize"), 1);
    if (s.fontSize < 0 || s.fontSize > 4) {
        s.fontSize = 1;
    }
    s.category = std::max(0, store.GetInt(kSection, QStringLiteral("Category"), 0));
    return s;
}

bool WriteWindowSettings(platform::SettingsStore& store, const WindowSettings& s) {
    bool all = true;
    auto save = [&](const QString& key, const QString& value) {
        if (!store.SaveSetting(kSection, key, value)) {
            all = false;
            qWarning().noquote() << "Не удалось сохранить настройку" << key << ":"
                                 << store.lastError();
        }
    };
    if (s.top && s.left) {
        save(QStringLiteral("Top"), QString::number(*s.top));
        save(QStringLiteral("Left"), QString::number(*s.left));
    }
    save(QStringLiteral("InTray"), BoolText(s.inTray));
    save(QStringLiteral("Category"), QString::number(s.category));
    save(QStringLiteral("Zam"), BoolText(s.zam));
    if (s.color >= 0) {
        save(QStringLiteral("Color"), QString::number(s.color));
    }
    save(QStringLiteral("CustomColor"), BoolText(s.customColor));
    save(QStringLiteral("ColorValue"), QString::number(s.colorValue));
    save(QStringLiteral("FontSize"), QString::number(s.fontSize));
    save(QStringLiteral("ToTray"), BoolText(s.toTray));
    save(QStringLiteral("Ecliptic"), BoolText(s.ecliptic));
    save(QStringLiteral("WineMode"), BoolText(s.wineMode));
    return all;
}

}  // namespace noctiva::app
