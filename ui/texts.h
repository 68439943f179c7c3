// Language texts by number. The window asks a TextSource for every text it
// composes; the language-file reader plugs in its own source, and until one is
// installed the built-in French texts answer.
#pragma once

#include <QColor>
#include <QString>

namespace vemo::ui {

class TextSource {
  public:
    virtual ~TextSource() = default;
    // Entry (identifier, subIndex) of the current language; empty when missing.
    virtual QString Text(int identifier, int subIndex = 0) const = 0;
};

// The program's own French texts: the built-in captions of the window and the
// messages it composes.
class BuiltInTexts final : public TextSource {
  public:
    QString Text(int identifier, int subIndex = 0) const override;
};

// TechniqueNames[id]: the technique's language text without its leading blanks.
QString TechniqueName(const TextSource& texts, int technique);

// The desktop's button-face colour, the normal ground of the status message.
QColor ButtonFaceColour();

// A text with its leading blanks removed, as the labels and names use them.
QString TrimLeft(const QString& text);

// A menu text as a title shows it: without the mnemonic marks, "&&" read as
// one "&".
QString WithoutMnemonic(const QString& text);

} // namespace vemo::ui
