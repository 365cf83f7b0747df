// A small HTTP proxy between the sync client and Radicale that fails on purpose: error statuses,
// connections cut before or after the server applied a request, slow answers, answers without
// ETags, and a sync token the server claims not to know. One request per connection.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTcpServer>
#include <vector>

class QTcpSocket;

namespace tv::test {

class FaultProxy : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        kStatus,     // answer `status` without asking the server
        kCutBefore,  // close the connection without asking the server
        kCutAfter,   // let the server apply the request, then close without an answer
        kSlow,       // the server's answer, after `delayMs`
    };
    struct Fault {
        QByteArray method;        // "PUT", "REPORT", ...; empty: any
        QByteArray bodyContains;  // only requests whose body has this
        Kind kind = Kind::kStatus;
        int status = 500;
        int delayMs = 0;
    };

    explicit FaultProxy(int upstreamPort);
    int port() const { return server_.serverPort(); }
    void add(const Fault& fault) { faults_.push_back(fault); }
    void clear() { faults_.clear(); }
    // Every answer loses its ETags (header and getetag) while set.
    bool dropEtags = false;
    int handled = 0;

private:
    void accept();
    void readRequest(QTcpSocket* client);
    void forward(QTcpSocket* client, const QByteArray& request, const Fault* fault);
    QByteArray rewrite(const QByteArray& response) const;

    QTcpServer server_;
    int upstreamPort_;
    std::vector<Fault> faults_;
};

}  // namespace tv::test
