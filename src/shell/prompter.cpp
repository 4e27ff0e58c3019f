#include "shell/prompter.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QString titleOr(const QString& title) { return title.isEmpty() ? Prompter::programTitle() : title; }
}  // namespace

void QtPrompter::information(const QString& text, const QString& title)
{
    QMessageBox::information(parent_, titleOr(title), text);
}

void QtPrompter::plain(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtPrompter::askYesNo(const QString& text, const QString& title)
{
    // The program's questions are plain Yes/No boxes, without an icon.
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompter::input(const QString& prompt, const QString& title, const QString& initial)
{
    bool ok = false;
    QString text = QInputDialog::getText(parent_, titleOr(title), prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtPrompter::saveFileName(const QString& title, const QString& initialPath, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent_, titleOr(title), initialPath, filter);
}

QString QtPrompter::chooseSaveFile(const QString& title, const QString& initialPath, const QString& filter,
                                   QString* chosenFilter)
{
    return QFileDialog::getSaveFileName(parent_, titleOr(title), initialPath, filter, chosenFilter);
}

QString QtPrompter::openFileName(const QString& title, const QString& initialPath, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent_, titleOr(title), initialPath, filter);
}
