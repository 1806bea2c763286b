#pragma once
// The token text box takes only what a game file can carry on one line: printable
// characters that Windows-1252 can hold. A control character (a line break above
// all) would break the file's line structure, any other character would be lost.

#include <QChar>
#include <QValidator>

namespace appearance {

// A printable character with a place in Windows-1252.
bool isTokenTextChar(QChar c);

// Drops every other character from what is typed, pasted or dropped into the box,
// and keeps the rest with the cursor where it belongs.
class TokenTextValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

} // namespace appearance
