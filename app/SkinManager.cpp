#include "SkinManager.h"

#include <QFile>
#include <QWidget>
#include <stdexcept>

namespace {

struct StoredSkin {
    const char* name;
    const char* resource;
};

constexpr StoredSkin kSkins[] = {{"Calcium (internal)", ":/skins/calcium.qss"}};

}  // namespace

TsSkinManager::TsSkinManager(QWidget* form) : QObject(form), form_(form) {}

void TsSkinManager::SetSkinName(const QString& name)
{
    for (const StoredSkin& skin : kSkins) {
        if (name == QLatin1String(skin.name)) {
            QFile file(QString::fromLatin1(skin.resource));
            if (!file.open(QIODevice::ReadOnly))
                throw std::runtime_error("The skin's resource is missing: " + std::string(skin.resource));
            skinName_ = name;
            styleSheet_ = QString::fromUtf8(file.readAll());
            return;
        }
    }
    throw std::invalid_argument("No such skin: " + name.toStdString());
}

void TsSkinManager::SetSkinSection(QWidget* control, const char* section)
{
    control->setProperty("skinSection", QString::fromLatin1(section));
}

void TsSkinManager::Activate()
{
    form_->setStyleSheet(styleSheet_);
}
