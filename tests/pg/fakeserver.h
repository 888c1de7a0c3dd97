#pragma once
// A loopback TCP listener on a free port that plays a server which is not
// PostgreSQL as the client needs it.
#include <thread>

namespace pgtest {

class FakeServer {
  public:
    enum class Behaviour {
        Silent,      // the connection is made, nothing is ever answered
        RefusesSsl,  // answers the SSL request with 'N', as a server without SSL
    };
    explicit FakeServer(Behaviour behaviour);
    ~FakeServer();
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    int port() const { return port_; }

  private:
    void answerOnce();
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace pgtest
