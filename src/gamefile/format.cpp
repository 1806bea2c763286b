#include "format.h"

#include "cp1252.h"
#include "forms/colors.h"
#include "forms/numtext.h"

#include <QVarLengthArray>
#include <cmath>
#include <vector>

namespace gamefile {

namespace {

bool isPointerCode(int c) { return (c >= 0 && c <= 15) || c == 99; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool positionOk(double v) { return std::isfinite(v) && std::fabs(v) <= PositionLimit; }

// A text line may hold tab but no other control character (a line break would
// split the line, the rest has no business in a tooltip or a token).
bool isControl(char16_t c) { return (c < 0x20 && c != u'\t') || c == 0x7F; }

// ---------------------------------------------------------------- reading

// One line's characters for the number reader. Bytes map to the character of the
// same number: only ASCII can be part of a number, anything else ends it either way.
class NumberLine {
public:
    explicit NumberLine(QByteArrayView line)
    {
        m_buf.resize(line.size());
        for (qsizetype i = 0; i < line.size(); ++i)
            m_buf[i] = char16_t(static_cast<unsigned char>(line[i]));
    }
    QStringView view() const { return QStringView(m_buf.constData(), m_buf.size()); }

private:
    QVarLengthArray<char16_t, 48> m_buf;
};

struct Reader {
    std::vector<QByteArrayView> lines;
    Problem problem;

    bool fail(int line, Fault f)
    {
        problem = {line, f};
        return false;
    }
    QByteArrayView at(int line) const { return lines[size_t(line - 1)]; }

    // The lenient reading; only a number too large for a double fails.
    bool number(int line, double &out)
    {
        const QByteArrayView l = at(line);
        // The writer's own " 0" and " 1" are most of the file.
        if (l.size() == 2 && l[0] == ' ' && (l[1] == '0' || l[1] == '1')) {
            out = l[1] == '1' ? 1.0 : 0.0;
            return true;
        }
        const NumberLine chars(l);
        const numtext::Parsed p = numtext::parse(chars.view());
        if (p.overflow)
            return fail(line, Fault::NumberTooLarge);
        out = p.value;
        return true;
    }

    // The whole line must be one number, blanks around it allowed.
    bool strictNumber(int line, double &out)
    {
        const NumberLine chars(at(line));
        const QStringView s = chars.view();
        const numtext::Parsed p = numtext::parse(s);
        if (p.overflow)
            return fail(line, Fault::NumberTooLarge);
        if (p.length == 0)
            return fail(line, Fault::NotANumber);
        for (qsizetype i = p.length; i < s.size(); ++i)
            if (!isBlank(s[i].unicode()))
                return fail(line, Fault::NotANumber);
        out = p.value;
        return true;
    }

    bool position(int line, float &out)
    {
        double v = 0;
        if (!number(line, v))
            return false;
        if (!positionOk(v))
            return fail(line, Fault::Position);
        out = float(v);
        return true;
    }

    bool int32(int line, std::int32_t &out)
    {
        double v = 0;
        if (!number(line, v))
            return false;
        const auto r = numtext::toInt32(v);
        if (!r)
            return fail(line, Fault::DoesNotFit);
        out = *r;
        return true;
    }

    bool colour(int line, std::int32_t &out)
    {
        if (!int32(line, out))
            return false;
        if (!colors::isValid(out))
            return fail(line, Fault::Colour);
        return true;
    }

    bool pointer(int line, std::int16_t &out)
    {
        double v = 0;
        if (!strictNumber(line, v))
            return false;
        const auto r = numtext::toInt16(v);
        if (!r)
            return fail(line, Fault::DoesNotFit);
        if (!isPointerCode(*r))
            return fail(line, Fault::Pointer);
        out = *r;
        return true;
    }

    bool visibility(int line, bool &out)
    {
        QByteArrayView l = at(line);
        qsizetype b = 0, e = l.size();
        while (b < e && isBlank(l[b]))
            ++b;
        while (e > b && isBlank(l[e - 1]))
            --e;
        const QByteArrayView word = l.sliced(b, e - b);
        if (word.compare("True", Qt::CaseInsensitive) == 0) {
            out = true;
            return true;
        }
        if (word.compare("False", Qt::CaseInsensitive) == 0) {
            out = false;
            return true;
        }
        double v = 0;
        if (!strictNumber(line, v)) {
            if (problem.fault == Fault::NotANumber)
                problem.fault = Fault::Visibility;
            return false;
        }
        out = v != 0;
        return true;
    }

    bool text(int line, QString &out)
    {
        const QByteArrayView l = at(line);
        for (const char ch : l)
            if (isControl(char16_t(static_cast<unsigned char>(ch))))
                return fail(line, Fault::ControlCharacter);
        auto t = cp1252::decode(l);
        if (!t)
            return fail(line, Fault::UndefinedByte);
        out = std::move(*t);
        return true;
    }

    bool edge(int line, std::int32_t &out)
    {
        if (!int32(line, out))
            return false;
        if (out != 0 && out != 1)
            return fail(line, Fault::Edge);
        return true;
    }

    bool fieldSize(int line, std::int16_t &out)
    {
        double v = 0;
        if (!number(line, v))
            return false;
        const auto r = numtext::toInt16(v);
        if (!r || *r < MinFieldSize || *r > MaxFieldSize)
            return fail(line, Fault::FieldSize);
        out = *r;
        return true;
    }
};

// ---------------------------------------------------------------- writing

void appendLine(QByteArray &out, QByteArrayView v)
{
    out.append(v);
    out.append("\r\n", 2);
}

// Number texts are plain ASCII.
void appendNumber(QByteArray &out, const QString &s)
{
    for (const QChar c : s)
        out.append(char(c.unicode()));
    out.append("\r\n", 2);
}

std::optional<Problem> checkText(int line, const QString &t)
{
    for (const QChar c : t) {
        if (isControl(c.unicode()))
            return Problem{line, Fault::ControlCharacter};
        if (!cp1252::fromUnicode(c.unicode()))
            return Problem{line, Fault::NotEncodable};
    }
    return std::nullopt;
}

std::optional<Problem> checkPosition(int line, float v)
{
    if (!positionOk(double(v)))
        return Problem{line, std::isfinite(v) ? Fault::Position : Fault::NotFinite};
    return std::nullopt;
}

std::optional<Problem> checkTag(int line, double v)
{
    if (!std::isfinite(v))
        return Problem{line, Fault::NotFinite};
    return std::nullopt;
}

} // namespace

QString describe(const Problem &p)
{
    static const char *const names[] = {
        "file too large",   "too few lines",       "number too large",   "not wholly a number",
        "does not fit",     "not finite",          "position out of range", "no colour",
        "no mouse pointer", "no visibility",       "no edge value",      "field size out of range",
        "control character", "undefined byte",     "not in Windows-1252",
    };
    return QStringLiteral("line %1: %2").arg(p.line).arg(QLatin1String(names[int(p.fault)]));
}

std::optional<Problem> check(const Game &g)
{
    for (int i = 0; i < Slots; ++i) {
        const Group &gr = g.groups[size_t(i)];
        std::optional<Problem> p;
        if ((p = checkPosition(groupLine(i, 1), gr.fieldLeft)) || (p = checkPosition(groupLine(i, 2), gr.fieldTop))
            || (p = checkText(groupLine(i, 3), gr.fieldTip)) || (p = checkTag(groupLine(i, 4), gr.fieldTag))
            || (p = checkPosition(groupLine(i, 5), gr.tokenLeft)) || (p = checkPosition(groupLine(i, 6), gr.tokenTop))
            || (p = checkText(groupLine(i, 7), gr.tokenTip)) || (p = checkTag(groupLine(i, 8), gr.tokenTag)))
            return p;
        if (!colors::isValid(gr.tokenColour))
            return Problem{groupLine(i, 9), Fault::Colour};
        if (!isPointerCode(gr.fieldPointer))
            return Problem{groupLine(i, 10), Fault::Pointer};
        if ((p = checkText(groupLine(i, 12), gr.text)))
            return p;
    }
    for (int a = 0; a < Slots; ++a)
        for (int b = 0; b < Slots; ++b) {
            const std::int32_t k = g.edges[size_t(a)][size_t(b)];
            if (k != 0 && k != 1)
                return Problem{edgeLine(a, b), Fault::Edge};
        }
    for (int m = 0; m < 3; ++m)
        if (auto p = checkTag(ModeTagLine + m, g.modeTags[size_t(m)]))
            return p;
    for (int m = 0; m < 3; ++m)
        if (!colors::isValid(g.modeColours[size_t(m)]))
            return Problem{ModeColourLine + m, Fault::Colour};
    if (g.fieldSize < MinFieldSize || g.fieldSize > MaxFieldSize)
        return Problem{FieldSizeLine, Fault::FieldSize};
    return std::nullopt;
}

Parsed parse(QByteArrayView data)
{
    Parsed result;
    if (data.size() > MaxFileSize) {
        result.problem = {0, Fault::FileTooLarge};
        return result;
    }

    Reader r;
    r.lines.reserve(LineCount);
    const char *const d = data.data();
    const qsizetype n = data.size();
    qsizetype pos = 0;
    while (int(r.lines.size()) < LineCount && pos < n) {
        qsizetype end = pos;
        while (end < n && d[end] != '\r' && d[end] != '\n')
            ++end;
        r.lines.push_back(data.sliced(pos, end - pos));
        if (end < n)
            end += (d[end] == '\r' && end + 1 < n && d[end + 1] == '\n') ? 2 : 1;
        pos = end;
    }
    if (int(r.lines.size()) < LineCount) {
        result.problem = {int(r.lines.size()) + 1, Fault::TooFewLines};
        return result;
    }

    Game g;
    bool ok = true;
    for (int i = 0; ok && i < Slots; ++i) {
        Group &gr = g.groups[size_t(i)];
        ok = r.position(groupLine(i, 1), gr.fieldLeft) && r.position(groupLine(i, 2), gr.fieldTop)
             && r.text(groupLine(i, 3), gr.fieldTip) && r.number(groupLine(i, 4), gr.fieldTag)
             && r.position(groupLine(i, 5), gr.tokenLeft) && r.position(groupLine(i, 6), gr.tokenTop)
             && r.text(groupLine(i, 7), gr.tokenTip) && r.number(groupLine(i, 8), gr.tokenTag)
             && r.colour(groupLine(i, 9), gr.tokenColour) && r.pointer(groupLine(i, 10), gr.fieldPointer)
             && r.visibility(groupLine(i, 11), gr.tokenVisible) && r.text(groupLine(i, 12), gr.text);
    }
    for (int a = 0; ok && a < Slots; ++a)
        for (int b = 0; ok && b < Slots; ++b)
            ok = r.edge(edgeLine(a, b), g.edges[size_t(a)][size_t(b)]);
    for (int m = 0; ok && m < 3; ++m)
        ok = r.number(ModeTagLine + m, g.modeTags[size_t(m)]);
    for (int m = 0; ok && m < 3; ++m)
        ok = r.colour(ModeColourLine + m, g.modeColours[size_t(m)]);
    ok = ok && r.int32(TokenCountLine, g.tokenCount) && r.fieldSize(FieldSizeLine, g.fieldSize);

    if (!ok) {
        result.problem = r.problem;
        return result;
    }
    result.game = std::move(g);
    return result;
}

std::optional<QByteArray> write(const Game &g, Problem *why)
{
    if (auto p = check(g)) {
        if (why)
            *why = *p;
        return std::nullopt;
    }

    QByteArray out;
    out.reserve(64 * 1024);
    for (const Group &gr : g.groups) {
        appendNumber(out, numtext::fromSingle(gr.fieldLeft));
        appendNumber(out, numtext::fromSingle(gr.fieldTop));
        appendLine(out, *cp1252::encode(gr.fieldTip));
        appendNumber(out, numtext::fromDouble(gr.fieldTag));
        appendNumber(out, numtext::fromSingle(gr.tokenLeft));
        appendNumber(out, numtext::fromSingle(gr.tokenTop));
        appendLine(out, *cp1252::encode(gr.tokenTip));
        appendNumber(out, numtext::fromDouble(gr.tokenTag));
        appendNumber(out, numtext::fromInt(gr.tokenColour));
        appendNumber(out, numtext::fromInt(gr.fieldPointer));
        appendNumber(out, numtext::fromBool(gr.tokenVisible));
        appendLine(out, *cp1252::encode(gr.text));
    }
    for (const auto &row : g.edges)
        for (const std::int32_t k : row)
            appendLine(out, k == 1 ? QByteArrayView(" 1") : QByteArrayView(" 0"));
    for (const double t : g.modeTags)
        appendNumber(out, numtext::fromDouble(t));
    for (const std::int32_t c : g.modeColours)
        appendNumber(out, numtext::fromInt(c));
    appendNumber(out, numtext::fromInt(g.tokenCount));
    appendNumber(out, numtext::fromInt(g.fieldSize));
    return out;
}

} // namespace gamefile
