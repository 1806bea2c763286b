#include "gamefile.h"

#include "forms/numtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace gamefile {

namespace {

std::optional<QByteArray> readAll(const QString &path)
{
    if (QFileInfo(path).isDir())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte more than allowed is enough to tell that a file is too large.
    QByteArray data = f.read(MaxFileSize + 1);
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

// A 16-bit value for the file; one outside that range becomes -1, which neither a
// pointer code nor a field size can be, so the check refuses it.
std::int16_t narrow(int v) { return v >= -32768 && v <= 32767 ? std::int16_t(v) : std::int16_t(-1); }

// A tag holds what its text says: the file's number after the round trip through the
// 15 digits a tag is written with, so the model decides exactly as the texts would.
double asTag(double v) { return numtext::val(numtext::tagText(v)); }

} // namespace

Game collect(const model::Game &m)
{
    Game g;
    for (int i = 0; i < Slots; ++i) {
        const model::Field &f = m.fields[size_t(i)];
        const model::Token &z = m.tokens[size_t(i)];
        Group &gr = g.groups[size_t(i)];
        gr.fieldLeft = f.left;
        gr.fieldTop = f.top;
        gr.fieldTip = f.tip;
        gr.fieldTag = f.tag;
        gr.tokenLeft = z.left;
        gr.tokenTop = z.top;
        gr.tokenTip = z.tip;
        gr.tokenTag = z.tag;
        gr.tokenColour = z.colour;
        gr.fieldPointer = f.pointer;
        gr.tokenVisible = z.visible;
        gr.text = z.text;
    }
    g.edges = m.edges;
    g.modeTags = m.modeTags;
    g.modeColours = m.modeColours;
    g.tokenCount = m.tokenCountOrZero();
    g.fieldSize = narrow(m.fieldSize);
    return g;
}

void apply(model::Game &m, const Game &g)
{
    // The size first: a change resizes every field about its centre, and only then do
    // the fields get their saved places.
    m.resizeFields(g.fieldSize);
    for (int i = 0; i < Slots; ++i) {
        const Group &gr = g.groups[size_t(i)];
        model::Field &f = m.fields[size_t(i)];
        model::Token &z = m.tokens[size_t(i)];
        f.left = gr.fieldLeft;
        f.top = gr.fieldTop;
        f.tip = gr.fieldTip;
        f.tag = asTag(gr.fieldTag);
        z.left = gr.tokenLeft;
        z.top = gr.tokenTop;
        z.tip = gr.tokenTip;
        z.tag = asTag(gr.tokenTag);
        z.colour = gr.tokenColour;
        f.pointer = gr.fieldPointer;
        z.visible = gr.tokenVisible;
        z.text = gr.text;
    }
    m.edges = g.edges;
    for (size_t k = 0; k < 3; ++k)
        m.modeTags[k] = asTag(g.modeTags[k]);
    m.modeColours = g.modeColours;
    m.tokenCount = g.tokenCount;
}

bool saveTo(const model::Game &m, const QString &path)
{
    const std::optional<QByteArray> bytes = write(collect(m));
    if (!bytes)
        return false;
    // Written beside the target and renamed over it when complete; where the folder
    // takes no new file but the file itself is writable, it is written in place.
    QSaveFile f(path);
    f.setDirectWriteFallback(true);
    return f.open(QIODevice::WriteOnly) && f.write(*bytes) == bytes->size() && f.commit();
}

std::optional<Game> readFrom(const QString &path)
{
    const std::optional<QByteArray> data = readAll(path);
    if (!data)
        return std::nullopt;
    return parse(*data).game;
}

QString installedSamples(const QString &programDir)
{
    // GSW_SAMPLES_FROM_BINDIR is where the install rules put the samples, relative to
    // the executable, so an unpacked or relocated package finds them as well.
    const QString dir = QDir::cleanPath(programDir + QLatin1Char('/') + QStringLiteral(GSW_SAMPLES_FROM_BINDIR));
    return QFileInfo(dir).isDir() ? dir : QString();
}

} // namespace gamefile
