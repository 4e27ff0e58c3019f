#pragma once

#include <QLineEdit>
#include <QString>

#include <array>
#include <string>

// A row of text boxes read and written as plain strings (the highlight
// words, the fields of a word group).
namespace search {

template <size_t N>
std::array<std::string, N> textsOf(const std::array<QLineEdit*, N>& boxes)
{
    std::array<std::string, N> out;
    for (size_t i = 0; i < N; ++i)
        out[i] = boxes[i]->text().toStdString();
    return out;
}

template <size_t N>
void setTexts(const std::array<QLineEdit*, N>& boxes, const std::array<std::string, N>& texts)
{
    for (size_t i = 0; i < N; ++i)
        boxes[i]->setText(QString::fromStdString(texts[i]));
}

}  // namespace search
