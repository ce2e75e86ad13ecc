#include "HostFixture.h"

#include "base/DialogLayout.h"

using namespace mosgrid;

HostFixture::HostFixture()
{
    InstallFontSubstitutes();
}

void HostFixture::WriteIni(const QByteArray& text)
{
    ASSERT_TRUE(WriteFileBytes(QString::fromStdString(m_folder.iniFile()), text));
}

void HostFixture::CreateReadyHost(int width, int height)
{
    ASSERT_EQ(m_host->CreateHost(width, height), 1);
    m_fake.TakeCalls();
}

CatalogItem HostFixture::Item(std::string name)
{
    CatalogItem item;
    item.m_nType = 5;
    item.m_strSource = "/data/prices.db";
    item.m_strCode = "7203";
    item.m_strName = std::move(name);
    return item;
}
