#include "sync/fault_proxy.h"

#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

namespace tv::test {
namespace {

const char* const kBuffer = "proxyBuffer";

// Header block and body length of a request, once the header block is whole.
bool wholeRequest(const QByteArray& bytes, qsizetype& total) {
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0) return false;
    qsizetype length = 0;
    static const QRegularExpression kLength(QStringLiteral("\\r\\ncontent-length:\\s*(\\d+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = kLength.match(QString::fromLatin1(bytes.left(end + 2)));
    if (m.hasMatch()) length = m.captured(1).toLongLong();
    total = end + 4 + length;
    return bytes.size() >= total;
}

QByteArray dechunk(const QByteArray& body) {
    QByteArray out;
    qsizetype pos = 0;
    while (pos < body.size()) {
        const qsizetype line = body.indexOf("\r\n", pos);
        if (line < 0) break;
        bool ok = false;
        const qsizetype size = body.mid(pos, line - pos).trimmed().toLongLong(&ok, 16);
        if (!ok || size == 0) break;
        out += body.mid(line + 2, size);
        pos = line + 2 + size + 2;
    }
    return out;
}

}  // namespace

FaultProxy::FaultProxy(int upstreamPort) : upstreamPort_(upstreamPort) {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, &FaultProxy::accept);
}

void FaultProxy::accept() {
    while (QTcpSocket* client = server_.nextPendingConnection()) {
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QTcpSocket::readyRead, this, [this, client] { readRequest(client); });
    }
}

void FaultProxy::readRequest(QTcpSocket* client) {
    QByteArray request = client->property(kBuffer).toByteArray() + client->readAll();
    qsizetype total = 0;
    if (!wholeRequest(request, total)) {
        client->setProperty(kBuffer, request);
        return;
    }
    disconnect(client, &QTcpSocket::readyRead, this, nullptr);
    ++handled;
    const QByteArray method = request.left(request.indexOf(' '));
    const QByteArray body = request.mid(request.indexOf("\r\n\r\n") + 4);
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (!it->method.isEmpty() && it->method != method) continue;
        if (!it->bodyContains.isEmpty() && !body.contains(it->bodyContains)) continue;
        const Fault fault = *it;
        faults_.erase(it);
        if (fault.kind == Kind::kStatus) {
            client->write("HTTP/1.1 " + QByteArray::number(fault.status) +
                          " Injected\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            client->disconnectFromHost();
            return;
        }
        if (fault.kind == Kind::kCutBefore) {
            client->abort();
            return;
        }
        forward(client, request, &fault);
        return;
    }
    forward(client, request, nullptr);
}

void FaultProxy::forward(QTcpSocket* client, const QByteArray& request, const Fault* fault) {
    // One request per connection on both sides: the answer ends when the server closes.
    QByteArray head = request.left(request.indexOf("\r\n\r\n"));
    head.replace(QByteArray("Connection: Keep-Alive"), QByteArray("Connection: close"));
    head.replace(QByteArray("Connection: keep-alive"), QByteArray("Connection: close"));
    if (!head.contains("Connection: close")) head += "\r\nConnection: close";
    // Plain answers only, so that they can be rewritten.
    static const QRegularExpression kEncoding(QStringLiteral("\\r\\nAccept-Encoding:[^\\r]*"),
                                              QRegularExpression::CaseInsensitiveOption);
    head = QString::fromLatin1(head).remove(kEncoding).toLatin1();
    const QByteArray out = head + request.mid(request.indexOf("\r\n\r\n"));

    auto* upstream = new QTcpSocket(this);
    auto* answer = new QByteArray;
    const Kind kind = fault != nullptr ? fault->kind : Kind::kStatus;
    const int delay = fault != nullptr ? fault->delayMs : 0;
    const bool faulty = fault != nullptr;
    QPointer<QTcpSocket> guard(client);
    connect(upstream, &QTcpSocket::connected, upstream, [upstream, out] { upstream->write(out); });
    connect(upstream, &QTcpSocket::readyRead, upstream,
            [upstream, answer] { *answer += upstream->readAll(); });
    connect(upstream, &QTcpSocket::disconnected, this,
            [this, upstream, answer, guard, kind, delay, faulty] {
                *answer += upstream->readAll();
                const QByteArray response = rewrite(*answer);
                delete answer;
                upstream->deleteLater();
                if (!guard) return;
                QTcpSocket* c = guard.data();
                if (faulty && kind == Kind::kCutAfter) {
                    c->abort();
                    return;
                }
                const auto send = [guard, response] {
                    if (!guard) return;
                    guard->write(response);
                    guard->disconnectFromHost();
                };
                if (faulty && kind == Kind::kSlow) {
                    QTimer::singleShot(delay, c, send);
                } else {
                    send();
                }
            });
    upstream->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(upstreamPort_));
}

QByteArray FaultProxy::rewrite(const QByteArray& response) const {
    const qsizetype end = response.indexOf("\r\n\r\n");
    if (end < 0) return response;
    QList<QByteArray> lines = response.left(end).split('\n');
    QByteArray body = response.mid(end + 4);
    QByteArray head;
    bool chunked = false;
    for (QByteArray line : lines) {
        line = line.trimmed();
        const QByteArray lower = line.toLower();
        if (lower.startsWith("transfer-encoding:")) {
            chunked = lower.contains("chunked");
            continue;
        }
        if (lower.startsWith("content-length:") || lower.startsWith("connection:")) continue;
        if (dropEtags && lower.startsWith("etag:")) continue;
        head += line + "\r\n";
    }
    if (chunked) body = dechunk(body);
    if (dropEtags) {
        static const QRegularExpression kEtag(
            QStringLiteral("<([A-Za-z0-9]+:)?getetag>[^<]*</([A-Za-z0-9]+:)?getetag>"));
        body = QString::fromUtf8(body).remove(kEtag).toUtf8();
    }
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";
    return head + body;
}

}  // namespace tv::test
