// Connection points of the kit: advising, firing to every sink in order, enumerators, and
// events fired on the object's thread for calls made by a worker through a marshalled pointer.
#include "KitProbe.h"
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "com/Marshal.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <string>
#include <thread>
#include <vector>

namespace {

struct Received {
    DWORD thread;
    DISPID id;
    std::vector<std::wstring> arguments;  // in natural order, as text
};

com::ptr<com::EventSink> recordingSink(std::vector<Received>& log, HRESULT answer = S_OK) {
    return com::make<com::EventSink>(DIID__IKitProbeEvents, [&log, answer](DISPID id, const DISPPARAMS& p) {
        Received r{GetCurrentThreadId(), id, {}};
        for (UINT i = p.cArgs; i-- > 0;) {
            com::variant text;
            VariantChangeType(text.put(), &p.rgvarg[i], 0, VT_BSTR);
            r.arguments.emplace_back(com::view(text.get()->bstrVal));
        }
        log.push_back(r);
        if (FAILED(answer)) throw answer;
    });
}

class ConnectionPoints : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(apartment_);
        probe_ = com::make<KitProbe>();
    }

    com::ptr<IConnectionPoint> point() {
        com::ptr<IConnectionPoint> p;
        EXPECT_EQ(probe_->FindConnectionPoint(DIID__IKitProbeEvents, p.put()), S_OK);
        return p;
    }

    com::apartment apartment_;
    com::ptr<KitProbe> probe_;
};

TEST_F(ConnectionPoints, FireReachesEverySinkInOrderWithArguments) {
    std::vector<Received> log;
    auto first = recordingSink(log);
    auto second = recordingSink(log);
    com::Connection a, b;
    ASSERT_EQ(a.connect(probe_->identity(), DIID__IKitProbeEvents, first->identity()), S_OK);
    ASSERT_EQ(b.connect(probe_->identity(), DIID__IKitProbeEvents, second->identity()), S_OK);
    EXPECT_EQ(a.cookie(), 1u);
    EXPECT_EQ(b.cookie(), 2u);
    probe_->Announce(7);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].id, 1);
    EXPECT_EQ(log[0].arguments, (std::vector<std::wstring>{L"7", L"announced"}));
    probe_->Quiet();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[3].id, 2);
    EXPECT_TRUE(log[3].arguments.empty());
}

TEST_F(ConnectionPoints, EmptySlotsAreSkippedAndReused) {
    std::vector<Received> firstLog, secondLog, thirdLog;
    auto first = recordingSink(firstLog);
    auto second = recordingSink(secondLog);
    auto third = recordingSink(thirdLog);
    com::ptr<IConnectionPoint> p = point();
    DWORD c1 = 0, c2 = 0, c3 = 0;
    ASSERT_EQ(p->Advise(first->identity(), &c1), S_OK);
    ASSERT_EQ(p->Advise(second->identity(), &c2), S_OK);
    ASSERT_EQ(p->Unadvise(c1), S_OK);
    probe_->Quiet();
    EXPECT_TRUE(firstLog.empty());
    EXPECT_EQ(secondLog.size(), 1u);
    ASSERT_EQ(p->Advise(third->identity(), &c3), S_OK);
    EXPECT_EQ(c3, c1);
    EXPECT_EQ(p->Unadvise(c1), S_OK);
    EXPECT_EQ(p->Unadvise(c1), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(p->Unadvise(0), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(p->Unadvise(99), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(p->Unadvise(c2), S_OK);
}

TEST_F(ConnectionPoints, FailingSinkDoesNotStopTheOthers) {
    std::vector<Received> log;
    auto failing = recordingSink(log, E_FAIL);
    auto healthy = recordingSink(log);
    com::Connection a, b;
    ASSERT_EQ(a.connect(probe_->identity(), DIID__IKitProbeEvents, failing->identity()), S_OK);
    ASSERT_EQ(b.connect(probe_->identity(), DIID__IKitProbeEvents, healthy->identity()), S_OK);
    EXPECT_EQ(probe_->Announce(1), S_OK);
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(ConnectionPoints, SinkMayDisconnectItselfWhileCalled) {
    com::Connection connection;
    int calls = 0;
    auto sink = com::make<com::EventSink>(DIID__IKitProbeEvents, [&](DISPID, const DISPPARAMS&) {
        ++calls;
        connection.disconnect();
    });
    ASSERT_EQ(connection.connect(probe_->identity(), DIID__IKitProbeEvents, sink->identity()), S_OK);
    probe_->Quiet();
    probe_->Quiet();
    EXPECT_EQ(calls, 1);
}

TEST_F(ConnectionPoints, WrongSinksAndInterfacesAreRefused) {
    com::ptr<IConnectionPoint> p = point();
    auto foreign = com::make<com::EventSink>(IID_IKitProbe, [](DISPID, const DISPPARAMS&) {});
    DWORD cookie = 5;
    EXPECT_EQ(p->Advise(foreign->identity(), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(p->Advise(nullptr, &cookie), E_POINTER);
    com::ptr<IConnectionPoint> none;
    EXPECT_EQ(probe_->FindConnectionPoint(IID_IKitProbe, none.put()), CONNECT_E_NOCONNECTION);
    IID iid{};
    EXPECT_EQ(p->GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(IsEqualIID(iid, DIID__IKitProbeEvents));
    com::ptr<IConnectionPointContainer> container;
    EXPECT_EQ(p->GetConnectionPointContainer(container.put()), S_OK);
    EXPECT_EQ(container.query<IUnknown>().get(), probe_->identity());
}

TEST_F(ConnectionPoints, Enumerators) {
    std::vector<Received> log;
    auto first = recordingSink(log);
    auto second = recordingSink(log);
    com::ptr<IConnectionPoint> p = point();
    DWORD c1 = 0, c2 = 0;
    ASSERT_EQ(p->Advise(first->identity(), &c1), S_OK);
    ASSERT_EQ(p->Advise(second->identity(), &c2), S_OK);

    com::ptr<IEnumConnections> connections;
    ASSERT_EQ(p->EnumConnections(connections.put()), S_OK);
    CONNECTDATA data[3]{};
    ULONG fetched = 0;
    EXPECT_EQ(connections->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, c1);
    EXPECT_EQ(data[1].dwCookie, c2);
    for (ULONG i = 0; i < fetched; ++i) data[i].pUnk->Release();
    EXPECT_EQ(connections->Reset(), S_OK);
    EXPECT_EQ(connections->Skip(1), S_OK);
    com::ptr<IEnumConnections> clone;
    ASSERT_EQ(connections->Clone(clone.put()), S_OK);
    EXPECT_EQ(clone->Next(1, data, nullptr), S_OK);
    EXPECT_EQ(data[0].dwCookie, c2);
    data[0].pUnk->Release();
    EXPECT_EQ(clone->Skip(1), S_FALSE);

    com::ptr<IEnumConnectionPoints> points;
    ASSERT_EQ(probe_->EnumConnectionPoints(points.put()), S_OK);
    IConnectionPoint* found[2]{};
    EXPECT_EQ(points->Next(2, found, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(found[0], p.get());
    found[0]->Release();
    p->Unadvise(c1);
    p->Unadvise(c2);
}

// The object lives on this thread (a single-threaded apartment with a message loop); a worker
// in its own apartment calls it through a marshalled pointer, and COM runs the call, and so
// the events, here.
TEST_F(ConnectionPoints, WorkerCallsFireOnTheObjectsThread) {
    std::vector<Received> log;
    auto sink = recordingSink(log);
    com::Connection connection;
    ASSERT_EQ(connection.connect(probe_->identity(), DIID__IKitProbeEvents, sink->identity()), S_OK);

    com::marshalled<IKitProbe> handOver;
    ASSERT_EQ(handOver.marshal(probe_.get()), S_OK);
    HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(finished);
    DWORD workerThread = 0;
    std::vector<HRESULT> results;
    std::thread worker([&, stream = std::move(handOver)]() mutable {
        workerThread = GetCurrentThreadId();
        {
            com::apartment own;
            com::ptr<IKitProbe> proxy;
            results.push_back(stream.unmarshal(proxy));
            if (proxy) {
                for (LONG i = 1; i <= 3; ++i) results.push_back(proxy->Announce(i));
                results.push_back(proxy->Quiet());
            }
        }
        SetEvent(finished);
    });
    // Pump until the worker is done: its calls arrive as messages.
    while (MsgWaitForMultipleObjects(1, &finished, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    worker.join();
    CloseHandle(finished);

    EXPECT_EQ(results, (std::vector<HRESULT>{S_OK, S_OK, S_OK, S_OK, S_OK}));
    ASSERT_EQ(log.size(), 4u);
    for (LONG i = 0; i < 3; ++i) {
        EXPECT_EQ(log[i].id, 1);
        EXPECT_EQ(log[i].arguments[0], std::to_wstring(i + 1));
    }
    EXPECT_EQ(log[3].id, 2);
    for (const Received& r : log) {
        EXPECT_EQ(r.thread, GetCurrentThreadId());
        EXPECT_NE(r.thread, workerThread);
    }
}

}  // namespace
