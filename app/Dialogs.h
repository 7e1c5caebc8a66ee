#pragma once

// The program's message boxes, and the edge at which errors escaping a
// handler are caught and shown.

#include <QString>
#include <exception>
#include <functional>

// The application title: the caption of information messages and error boxes,
// and the taskbar text. (Not Qt's applicationDisplayName, which Qt would append
// to the window caption.)
extern const QString ApplicationTitle;

// Modal, no icon, one "OK"; returns when dismissed.
void ShowInformation(const QString& text);
// Modal question with "OK" and "Cancel", no icon; true for OK.
bool AskOkCancel(const QString& text, const QString& caption);
// A box with no owner window, no icon and one "OK". The main window stays
// enabled; returns when the user has closed it.
void ShowUnownedMessage(const QString& text, const QString& caption);

// The error's text with a full stop appended when its last character sorts
// after ".".
QString ErrorBoxText(const QString& message);
// Stop icon, application title, "OK".
void ShowErrorBox(const QString& message);

// Runs a handler; an error that escapes it ends it there and is shown in the
// error box. Qt's event loop never sees an exception.
void RunHandler(const std::function<void()>& handler) noexcept;
