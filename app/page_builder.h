#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Small factories so every control of every page is made the same way: its
// object name is the name the rest of the program looks it up by.
QLineEdit* MakeEdit(QWidget* parent, const QString& name, int maxLength, const QString& hint = {});
// An editable drop-down list; its text part accepts typing.
QComboBox* MakeList(QWidget* parent, const QString& name, const QStringList& items,
                    const QString& hint = {});
QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption,
                     const QString& hint = {});
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption);
// A label; with a buddy, the buddy's accessible name becomes the label's text.
QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr);
