#include "TextureSeam.h"

#include <QDir>
#include <QFile>

#include "Dialogs.h"
#include "TexturePlatform.h"

namespace {

Textures::LoadedBytes FindCompiledResource(std::string_view type, std::string_view name)
{
    Textures::LoadedBytes result;
    const QDir folder(QStringLiteral(":/textures/") + QString::fromUtf8(type.data(), qsizetype(type.size())));
    const QString wanted = QString::fromUtf8(name.data(), qsizetype(name.size()));
    for (const QString& entry : folder.entryList(QDir::Files, QDir::Name)) {
        if (entry.compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        QFile file(folder.filePath(entry));
        if (!file.open(QIODevice::ReadOnly)) {
            result.status = Textures::LookupStatus::Unreadable;
            result.error = file.errorString().toStdString();
            return result;
        }
        const QByteArray bytes = file.readAll();
        result.status = Textures::LookupStatus::Found;
        result.bytes.assign(bytes.begin(), bytes.end());
        return result;
    }
    return result;  // missing
}

}  // namespace

void InstallTextureSeam()
{
    Textures::SetMessageBoxHandler([](const std::string& text, const std::string& caption) {
        ShowUnownedMessage(QString::fromStdString(text), QString::fromStdString(caption));
    });
    Textures::SetResourceFinder(FindCompiledResource);
}
