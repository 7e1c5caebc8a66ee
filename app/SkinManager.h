#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Holds the skins stored in the program and draws the form's controls with the
// active one. Each control names the section of the skin that draws it.
class TsSkinManager : public QObject {
    Q_OBJECT

public:
    explicit TsSkinManager(QWidget* form);

    // Throws std::invalid_argument for a skin the program does not hold.
    void SetSkinName(const QString& name);
    QString SkinName() const { return skinName_; }
    static void SetSkinSection(QWidget* control, const char* section);
    // Makes the skin active: the form and its controls are drawn with it.
    void Activate();

private:
    QWidget* form_;
    QString skinName_;
    QString styleSheet_;
};
