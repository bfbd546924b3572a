#include "WindowFixture.h"

#include <QDir>
#include <QFile>

WindowFixture::WindowFixture()
{
    platform.startDir = QDir(m_dir.path()).canonicalPath();
    platform.boxes = &boxes;
    platform.inputs = &inputs;
    platform.end = &end;
}

WindowFixture::~WindowFixture() { destroy(); }

QByteArray WindowFixture::bytes(const QString &name) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray b = f.readAll();
    if (b.isNull())
        b = QByteArray(""); // an empty file is not a missing one
    return b;
}

void WindowFixture::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file");
}

bool WindowFixture::exists(const QString &name) const { return QFile::exists(path(name)); }

TesselFrm &WindowFixture::create()
{
    m_frm = std::make_unique<TesselFrm>(platform, values);
    return *m_frm;
}

TesselFrm &WindowFixture::load()
{
    create();
    m_frm->Form_Load();
    return *m_frm;
}

void WindowFixture::destroy() { m_frm.reset(); }
