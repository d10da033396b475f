#include "app/settings.h"

#include "app/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace numbolo::StoredSettings {

namespace {

const QByteArray Section = QByteArrayLiteral("Str");

// ---- Reading the INI text ------------------------------------------------------------------
// The grammar of Qt's INI files: a line is a section header "[name]", a "key=value" line, a
// comment starting with ";" (or "#"), or blank. A value may hold quoted parts and backslash
// escapes; a quoted part or an escaped line break continues the line, and an unquoted ";" ends
// the value (a trailing comment).

struct Line {
    enum Kind { Blank, Header, Key, Bad };
    Kind kind = Blank;
    qsizetype begin = 0;      // first byte of the line
    qsizetype valueBegin = 0; // Key: the first byte after "="
    qsizetype valueEnd = 0;   // Key: where the value ends (before a trailing comment)
    qsizetype next = 0;       // the first byte of the next line
    QByteArray name;          // Header: the section; Key: the key
    bool inStr = false;       // Key: the line belongs to a [Str] section
};

struct Document {
    std::vector<Line> lines;
    QByteArray lineBreak = "\n"; // the file's own, for the lines the store adds
    bool wellFormed = true;      // every line is one of the kinds above, and the text is UTF-8
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

bool isBreak(char c)
{
    return c == '\n' || c == '\r';
}

// The end of the logical line that starts at `from`: its first unquoted, unescaped line break.
// `comment` is set to the first unquoted ";" after the line's first character, if any.
qsizetype lineEnd(const QByteArray &text, qsizetype from, qsizetype *comment)
{
    bool quoted = false;
    *comment = -1;
    qsizetype i = from;
    while (i < text.size()) {
        const char c = text.at(i);
        if (c == '\\') {
            // An escaped character, or an escaped line break ("\r\n" and "\n\r" count as one).
            i += 2;
            if (i < text.size() && isBreak(text.at(i - 1)) && isBreak(text.at(i)) && text.at(i) != text.at(i - 1))
                ++i;
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        else if (isBreak(c) && !quoted)
            break;
        else if (c == ';' && !quoted && *comment < 0 && i > from)
            *comment = i;
        ++i;
    }
    return std::min(i, text.size());
}

QByteArray trimmed(const QByteArray &text, qsizetype begin, qsizetype end)
{
    while (begin < end && isSpace(text.at(begin)))
        ++begin;
    while (end > begin && isSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

Document parse(const QByteArray &text)
{
    Document doc;
    doc.wellFormed = text.isValidUtf8() && !text.contains('\0');
    const qsizetype firstBreak = text.indexOf('\n');
    if (firstBreak > 0 && text.at(firstBreak - 1) == '\r')
        doc.lineBreak = "\r\n";

    qsizetype pos = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QByteArray section;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        qsizetype start = pos;
        while (start < text.size() && isSpace(text.at(start)))
            ++start;
        qsizetype comment = -1;
        qsizetype end = 0;
        if (start < text.size() && (text.at(start) == ';' || text.at(start) == '#')) {
            end = start; // a comment runs to the end of its line, quotes or not
            while (end < text.size() && !isBreak(text.at(end)))
                ++end;
        } else {
            end = lineEnd(text, start, &comment);
        }
        line.next = end;
        // One line break ends the line: "\n", "\r", "\r\n" or "\n\r".
        if (line.next < text.size()) {
            const char first = text.at(line.next++);
            if (line.next < text.size() && isBreak(text.at(line.next)) && text.at(line.next) != first)
                ++line.next;
        }

        if (start == end || text.at(start) == ';' || text.at(start) == '#') {
            line.kind = Line::Blank;
        } else if (text.at(start) == '[') {
            // Like Qt, a header without "]" still names a section: the rest of its line.
            const qsizetype close = text.indexOf(']', start);
            const bool closed = close >= 0 && close < end;
            line.kind = closed ? Line::Header : Line::Bad;
            line.name = trimmed(text, start + 1, closed ? close : end);
            section = line.name;
        } else {
            const qsizetype valueEnd = comment >= 0 ? comment : end;
            qsizetype equals = -1;
            bool quoted = false;
            for (qsizetype i = start; i < valueEnd && equals < 0; ++i) {
                if (text.at(i) == '\\')
                    ++i;
                else if (text.at(i) == '"')
                    quoted = !quoted;
                else if (text.at(i) == '=' && !quoted)
                    equals = i;
            }
            if (equals < 0) {
                line.kind = Line::Bad;
            } else {
                // The value's span without the blanks around it, which a new value keeps.
                line.kind = Line::Key;
                line.name = trimmed(text, start, equals);
                line.valueBegin = equals + 1;
                while (line.valueBegin < valueEnd && isSpace(text.at(line.valueBegin)))
                    ++line.valueBegin;
                line.valueEnd = valueEnd;
                while (line.valueEnd > line.valueBegin && isSpace(text.at(line.valueEnd - 1)))
                    --line.valueEnd;
                line.inStr = section == Section;
            }
        }
        if (line.kind == Line::Bad)
            doc.wellFormed = false;
        doc.lines.push_back(line);
        pos = line.next;
    }
    return doc;
}

bool isHexDigit(uint c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

uint hexValue(char c)
{
    return c <= '9' ? uint(c - '0') : uint((c | 0x20) - 'a' + 10);
}

// A value as Qt reads it: quotes removed, escapes resolved, blanks around unquoted parts
// dropped. An unquoted "," makes Qt read a list; its items are joined again with ",".
QString unescaped(const QByteArray &text, qsizetype begin, qsizetype end)
{
    QString result;
    QByteArray run; // plain bytes, decoded as UTF-8 together
    const auto flush = [&] {
        result += QString::fromUtf8(run);
        run.clear();
    };
    bool quoted = false;
    bool itemQuoted = false;
    qsizetype chopLimit = 0; // trailing blanks before this index of `result` stay
    const auto chopTrailingBlanks = [&] {
        flush();
        while (result.size() > chopLimit && (result.back() == u' ' || result.back() == u'\t'))
            result.chop(1);
    };
    qsizetype i = begin;
    const auto skipBlanks = [&] {
        while (i < end && isSpace(text.at(i)))
            ++i;
    };
    skipBlanks();
    while (i < end) {
        const char c = text.at(i);
        if (c == '\\') {
            flush();
            if (++i >= end)
                break;
            const char e = text.at(i++);
            static const char plain[] = "a\ab\bf\fn\nr\rt\tv\v\"\"?\?''\\\\";
            const char *hit = nullptr;
            for (const char *p = plain; *p != 0; p += 2)
                if (*p == e)
                    hit = p;
            if (hit != nullptr) {
                result += QLatin1Char(hit[1]);
            } else if (e == 'x' || (e >= '0' && e <= '7')) {
                const bool hex = e == 'x';
                uint code = hex ? 0 : uint(e - '0');
                while (i < end && (hex ? isHexDigit(uchar(text.at(i))) : (text.at(i) >= '0' && text.at(i) <= '7'))) {
                    const char d = text.at(i++);
                    code = hex ? code * 16 + hexValue(d) : code * 8 + uint(d - '0');
                    code &= 0xFFFF;
                }
                result += QChar(char16_t(code));
            } else if (isBreak(e) && i < end && isBreak(text.at(i)) && text.at(i) != e) {
                ++i; // an escaped line break continues the value
            }
            chopLimit = result.size();
        } else if (c == '"') {
            ++i;
            flush();
            quoted = !quoted;
            itemQuoted = true;
            if (!quoted)
                skipBlanks();
        } else if (c == ',' && !quoted) {
            if (!itemQuoted)
                chopTrailingBlanks();
            flush();
            result += QLatin1Char(',');
            chopLimit = result.size();
            itemQuoted = false;
            ++i;
            skipBlanks();
        } else {
            run += c;
            ++i;
        }
    }
    if (!itemQuoted)
        chopTrailingBlanks();
    flush();
    // Qt marks a text that starts with "@" by doubling it; "@Invalid()" is an empty value.
    if (result.startsWith(QLatin1String("@@")))
        return result.mid(1);
    if (result == QLatin1String("@Invalid()"))
        return {};
    return result;
}

// ---- Writing the INI text ------------------------------------------------------------------

// A value as Qt writes it, so that Qt and this store read it back unchanged.
QByteArray escaped(const QString &value)
{
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    QByteArray result;
    QString run;
    const auto flush = [&] {
        result += run.toUtf8();
        run.clear();
    };
    bool quotes = false;
    bool escapeNextHexDigit = false; // after "\x.." or "\0" a digit would join the escape
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u';' || c == u',' || c == u'=')
            quotes = true;
        if (escapeNextHexDigit && c < 0x80 && isHexDigit(c)) {
            flush();
            result += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextHexDigit = false;
        static const char named[] = "\aa\bb\ff\nn\rr\tt\vv\"\"\\\\";
        const char *hit = nullptr;
        for (const char *p = named; *p != 0; p += 2)
            if (char16_t(uchar(*p)) == c)
                hit = p;
        if (hit != nullptr) {
            flush();
            result += '\\';
            result += hit[1];
        } else if (c <= 0x1F) {
            flush();
            result += c == 0 ? QByteArray("\\0") : "\\x" + QByteArray::number(c, 16);
            escapeNextHexDigit = true;
        } else {
            run += ch;
        }
    }
    flush();
    if (quotes || result.startsWith(' ') || result.endsWith(' '))
        result = '"' + result + '"';
    return result;
}

QByteArray keyLine(const QString &key, const QString &value)
{
    return key.toUtf8() + '=' + escaped(value);
}

// A new settings file that holds only the values.
QByteArray freshText(const Values &values)
{
    QByteArray text = '[' + Section + "]\n";
    for (const auto &[key, value] : values)
        text += keyLine(key, value) + '\n';
    return text;
}

// `old` with the values put in: each key's last line in [Str] gets the new value and its
// earlier lines go; missing keys join the last [Str] section, or a new one at the end. Every
// other byte stays. A text that does not read as settings is replaced whole.
QByteArray withValues(const QByteArray &old, const Values &values)
{
    const Document doc = parse(old);
    if (old.trimmed().isEmpty() || !doc.wellFormed)
        return freshText(values);

    struct Edit {
        qsizetype begin, end;
        QByteArray text;
    };
    std::vector<Edit> edits;
    QByteArray missing;
    for (const auto &[key, value] : values) {
        const QByteArray name = key.toUtf8();
        const Line *last = nullptr;
        for (const Line &line : doc.lines) {
            if (line.kind != Line::Key || !line.inStr || line.name != name)
                continue;
            if (last != nullptr)
                edits.push_back({last->begin, last->next, {}});
            last = &line;
        }
        if (last != nullptr)
            edits.push_back({last->valueBegin, last->valueEnd, escaped(value)});
        else
            missing += keyLine(key, value) + doc.lineBreak;
    }

    if (!missing.isEmpty()) {
        // After the last key line of the last [Str] section, or after its header.
        qsizetype at = -1;
        for (const Line &line : doc.lines) {
            if (line.kind == Line::Header && line.name == Section)
                at = line.next;
            else if (line.kind == Line::Key && line.inStr)
                at = line.next;
        }
        if (at < 0) {
            at = old.size();
            missing.prepend('[' + Section + ']' + doc.lineBreak);
            missing.prepend(doc.lineBreak); // a blank line between sections, as Qt writes them
        }
        if (at > 0 && !isBreak(old.at(at - 1)))
            missing.prepend(doc.lineBreak);
        edits.push_back({at, at, missing});
    }

    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.begin > b.begin; });
    QByteArray text = old;
    for (const Edit &edit : edits)
        text.replace(edit.begin, edit.end - edit.begin, edit.text);
    return text;
}

// Puts `from` in the place of `to` in one step: a reader sees the old file or the new one.
bool replace(const QString &from, const QString &to)
{
    std::error_code failed;
    std::filesystem::rename(QFileInfo(from).filesystemAbsoluteFilePath(), QFileInfo(to).filesystemAbsoluteFilePath(),
                            failed);
    return !failed;
}

} // namespace

QString read(const QString &iniPath, const QString &key)
{
    QFile file(iniPath);
    if (!QFileInfo(iniPath).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    const QByteArray name = key.toUtf8();
    const Document doc = parse(text);
    QString value;
    for (const Line &line : doc.lines)
        if (line.kind == Line::Key && line.inStr && line.name == name)
            value = unescaped(text, line.valueBegin, line.valueEnd);
    return value;
}

QString resolvedPath(const QString &iniPath)
{
    QString path = QFileInfo(iniPath).absoluteFilePath();
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        path = info.symLinkTarget();
    }
    return {};
}

Saved write(const SettingsLocation &location, const Values &values, QString *error)
{
    const QString path = resolvedPath(location.iniPath());
    if (path.isEmpty()) {
        *error = QStringLiteral("Ο σύνδεσμος του αρχείου δείχνει σε κύκλο.");
        return Saved::No;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("Στη θέση του αρχείου υπάρχει φάκελος.");
        return Saved::No;
    }
    // A file the user has made unreadable or read-only is kept as it is.
    QByteArray old;
    if (info.exists()) {
        QFile file(path);
        if (!info.isReadable() || !file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("Το αρχείο δεν μπορεί να διαβαστεί.");
            return Saved::No;
        }
        old = file.readAll();
    }
    const QByteArray text = withValues(old, values);

    // The new file is written complete beside the old one and then takes its place, so a crash
    // or a full disk at any moment leaves the old file or the new one, never a part of either.
    // A staging file of an interrupted save, and the lock file earlier versions took for it, are
    // leftovers: nothing else writes them while this copy of the game holds its lock.
    const QString staging = path + QStringLiteral(".saving");
    QFile::remove(staging + QStringLiteral(".lock"));
    QFile::remove(staging);
    const QString folder = info.absolutePath();
    QFile file(staging);
    const bool written = (!info.exists() || info.isWritable()) && QDir().mkpath(folder)
        && file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size()
        && file.flush() && (!info.exists() || file.setPermissions(info.permissions()))
        && location.flushFile(file);
    file.close();
    if (!written || file.error() != QFileDevice::NoError || !replace(staging, path)) {
        QFile::remove(staging);
        *error = QStringLiteral("Το αρχείο δεν μπορεί να γραφτεί.");
        return Saved::No;
    }
    if (!location.flushFolder(folder)) {
        *error = QStringLiteral("Ο δίσκος δεν επιβεβαίωσε την εγγραφή του αρχείου.");
        return Saved::Unconfirmed;
    }
    return Saved::Yes;
}

} // namespace numbolo::StoredSettings
