// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "translator.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

namespace vemo::ui {

namespace {

QString Name(std::string_view element) {
    return QString::fromUtf8(element.data(), static_cast<qsizetype>(element.size()));
}

void SetCaption(QObject* object, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
        group->setTitle(text);
    }
}

void SetHint(QObject* object, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setToolTip(text);
    } else if (auto* widget = qobject_cast<QWidget*>(object)) {
        widget->setToolTip(text);
    }
}

void SetTabCaption(QObject* object, const QString& text) {
    auto* page = qobject_cast<QWidget*>(object);
    if (!page) return;
    // A page sits in the tab widget's stack.
    for (QWidget* up = page->parentWidget(); up; up = up->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
            const int index = tabs->indexOf(page);
            if (index >= 0) tabs->setTabText(index, text);
            return;
        }
    }
}

} // namespace

bool NameElement(QObject* object, io::Window window, int identifier, io::ElementKind kind) {
    for (const io::TextBinding& b : io::TextBindings()) {
        if (b.window == window && b.identifier == identifier && b.kind == kind) {
            object->setObjectName(Name(b.element));
            return true;
        }
    }
    return false;
}

void TranslateWindow(QWidget* root, io::Window window, const TextSource& texts) {
    for (const io::TextBinding& b : io::TextBindings()) {
        if (b.window != window) continue;
        const QString name = Name(b.element);
        QList<QObject*> objects = root->findChildren<QObject*>(name);
        if (root->objectName() == name) objects.prepend(root);
        for (QObject* object : objects) {
            switch (b.kind) {
            case io::ElementKind::kTabPage:
                SetTabCaption(object, texts.Text(b.identifier, 0));
                break;
            case io::ElementKind::kToolButton:
                SetHint(object, texts.Text(b.identifier, 1));
                break;
            case io::ElementKind::kMenuItem:
                SetCaption(object, texts.Text(b.identifier, 0));
                break;
            case io::ElementKind::kWindow:
                if (auto* w = qobject_cast<QWidget*>(object))
                    w->setWindowTitle(texts.Text(b.identifier, 0));
                break;
            default:
                SetCaption(object, texts.Text(b.identifier, 0));
                SetHint(object, texts.Text(b.identifier, 1));
                break;
            }
        }
    }
}

} // namespace vemo::ui
