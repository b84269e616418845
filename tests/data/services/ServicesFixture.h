#pragma once
// A demo company signed in as user 1 on menu 2, for the company services.
#include "data/Session.h"
#include "data/U_DM.h"
#include "platform/db/Query.h"
#include "support/DemoServer.h"
#include "support/TestServer.h"

#include <memory>

namespace meridox::test {

class ServicesTest : public ::testing::TestWithParam<db::Engine> {
protected:
    void SetUp() override
    {
        MERIDOX_REQUIRE_ENGINE(GetParam());
        m_demo = std::make_unique<DemoServer>(GetParam());
        m_demo->signIn(2, 1);
    }
    void TearDown() override { m_demo.reset(); }

    TDM& dm() { return TDM::instance(); }
    ui::RecordingDialogs& dialogs() { return m_demo->dialogs(); }
    db::Database& company() { return m_demo->company(); }
    void sql(const QString& s) { db::Query(company(), s).exec(); }
    db::Value scalar(const QString& s)
    {
        db::Query q(company(), s);
        q.open();
        return q.isEmpty() ? db::Value() : db::Value(q.rowValues(0).value(0));
    }

    std::unique_ptr<DemoServer> m_demo;
};

} // namespace meridox::test
