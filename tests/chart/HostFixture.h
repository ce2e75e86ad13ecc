#pragma once

#include "FakeComponents.h"

#include "app/CCatalogApp.h"
#include "catalog/CatalogItem.h"
#include "chart/ChartHost.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <QByteArray>

using namespace mosgrid;

// A program folder of its own (for mosgrid.ini), the application object on it, and a host
// driven by recording fakes.
class HostFixture : public ::testing::Test {
protected:
    HostFixture();

    void WriteIni(const QByteArray& text);
    // CreateHost on the fakes, expected to succeed; the calls it made are dropped.
    void CreateReadyHost(int width = 300, int height = 180);
    static CatalogItem Item(std::string name = "name");

    TestProgramFolder m_folder{{}, false};
    CCatalogApp m_app{m_folder.exeDir() + "mosgrid"};
    FakeComponentProvider m_fake;
    std::unique_ptr<ChartHost> m_host = std::make_unique<ChartHost>(m_fake, m_folder.iniFile());
};
