#!/usr/bin/env python3
"""lexmora-dictd against clients that misbehave.

Each limit gets its RFC 2229 status or the connection is closed, and a good
client is answered correctly and quickly right afterwards: a line of exactly
the longest length is served and one byte more is not, unending input,
control bytes and broken UTF-8, one connection too many, a command sent
before the banner (answered by default, refused with
--reject-early-commands), idle and trickling clients (and a busy one that
must not be cut), a client that sends DEFINEs without reading (closed, the
server's memory bounded, other clients served meanwhile), pipelined
commands answered in order. SIGTERM ends the servers with exit status 0.

    dict_limits_test.py LEXMORA_DICTD SAMPLE_FOLDER
"""
import os
import random
import re
import signal
import socket
import subprocess
import sys
import threading
import time

MAX_LINE = 1024
IDLE = 2  # --idle-timeout of the servers under test
TEXT_CODES = {110, 111, 112, 113, 114, 151, 152}  # followed by text and "."


class Server:
    def __init__(self, program, folder, *args):
        self.proc = subprocess.Popen([program, '--dir', folder, '--listen', '127.0.0.1:0', *args],
                                     stdout=subprocess.PIPE, text=True)
        line = self.proc.stdout.readline()
        m = re.fullmatch(r'lexmora-dictd: listening on 127\.0\.0\.1:(\d+)\n', line)
        if not m:
            self.proc.kill()
            raise RuntimeError('the server did not start: %r' % line)
        self.port = int(m.group(1))

    def rss_kib(self):
        with open('/proc/%d/status' % self.proc.pid) as f:
            for line in f:
                if line.startswith('VmRSS:'):
                    return int(line.split()[1])
        return 0

    def stop(self):
        """SIGTERM; the exit status, or None when it still runs after 5 s."""
        self.proc.send_signal(signal.SIGTERM)
        try:
            return self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
            return None


class Closed(Exception):
    pass


class Client:
    def __init__(self, port, rcvbuf=None, timeout=5.0):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        if rcvbuf:
            self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, rcvbuf)
        self.sock.settimeout(timeout)
        self.sock.connect(('127.0.0.1', port))
        self.buf = b''

    def close(self):
        self.sock.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def send(self, data):
        self.sock.sendall(data.encode() if isinstance(data, str) else data)

    def line(self):
        while b'\r\n' not in self.buf:
            try:
                data = self.sock.recv(65536)
            except ConnectionResetError:
                data = b''
            if not data:
                raise Closed('closed with %r unread' % self.buf[:80])
            self.buf += data
        line, self.buf = self.buf.split(b'\r\n', 1)
        return line

    def response(self):
        """One whole answer: its status lines and its text lines."""
        statuses, text = [], []
        while True:
            line = self.line()
            if not re.match(rb'[1-5]\d\d( |$)', line):
                raise AssertionError('not a status line: %r' % line[:120])
            statuses.append(line.decode('utf-8', 'replace'))
            code = int(line[:3])
            if code in TEXT_CODES:
                while True:
                    t = self.line()
                    if t == b'.':
                        break
                    text.append(t.decode('utf-8', 'replace'))
            elif code >= 200:
                return statuses, text

    def code(self):
        return int(self.response()[0][0][:3])

    def banner(self):
        statuses, _ = self.response()
        if not statuses[0].startswith('220 '):
            raise AssertionError('banner %r' % statuses[0])

    def closed_within(self, seconds):
        """True when the server closes the connection within the time
        (anything it sends before is dropped)."""
        self.sock.settimeout(seconds)
        end = time.monotonic() + seconds
        try:
            while time.monotonic() < end:
                if not self.sock.recv(65536):
                    return True
        except ConnectionResetError:
            return True
        except socket.timeout:
            return False
        return False


def expect(cond, message):
    if not cond:
        raise AssertionError(message)


def good_client(server, limit=1.0):
    """A well-behaved client gets SHOW DB and a definition, each within the limit."""
    with connect_served(server) as c:
        start = time.monotonic()
        c.send('SHOW DB\r\n')
        statuses, text = c.response()
        took = time.monotonic() - start
        expect(statuses[0].startswith('110 ') and any(t.startswith('vcl_ea ') for t in text),
               'SHOW DB: %r %r' % (statuses, text[:3]))
        expect(took < limit, 'SHOW DB took %.2f s' % took)
        start = time.monotonic()
        c.send('DEFINE vcl_ae şəhər\r\n')
        statuses, text = c.response()
        took = time.monotonic() - start
        expect(statuses[0].startswith('150 ') and statuses[-1].startswith('250'),
               'DEFINE vcl_ae şəhər: %r' % statuses)
        expect(any('city, town' in t for t in text), 'DEFINE vcl_ae şəhər: text %r' % text[:6])
        expect(took < limit, 'DEFINE took %.2f s' % took)


def connect_served(server, **options):
    """A connection with its banner; retried while the slots of the previous
    check's connections are being given back."""
    for _ in range(20):
        c = Client(server.port, **options)
        statuses, _ = c.response()
        if statuses[0].startswith('220 '):
            return c
        c.close()
        time.sleep(0.1)
    raise AssertionError('no free connection slot')


def test_pipelined_in_order(srv, strict):
    with connect_served(srv) as c:
        c.send('DEFINE vcl_ea book\r\nSHOW DB\r\nMATCH vcl_ea prefix ban\r\nSHOW STRAT\r\n'
               'DEFINE vcl_ae şəhər\r\nSHOW INFO vcl_ea\r\nMATCH vcl_ra exact автобус\r\nQUIT\r\n')
        codes = [int(c.response()[0][0][:3]) for _ in range(8)]
        expect(codes == [150, 110, 152, 111, 150, 112, 152, 221], 'first codes %r' % codes)
        expect(c.closed_within(2), 'not closed after QUIT')


def test_long_lines(srv, strict):
    with connect_served(srv) as c:
        head = 'MATCH vcl_ea exact '
        c.send(head + 'a' * (MAX_LINE - len(head)) + '\r\n')
        expect(c.code() == 552, 'a line of %d bytes is a command' % MAX_LINE)
        c.send('SHOW STRAT\r\n' + head + 'a' * (MAX_LINE + 1 - len(head)) + '\r\nSHOW DB\r\n')
        expect(c.code() == 111, 'the command before the long line is answered')
        statuses, _ = c.response()
        expect(statuses == ['500 line too long'], 'a line of %d bytes: %r' % (MAX_LINE + 1, statuses))
        expect(c.closed_within(3), 'not closed after a line too long')
    with connect_served(srv) as c:
        # No line end at all, far more than a line.
        try:
            c.send(b'D' * 300000)
        except (ConnectionResetError, BrokenPipeError):
            pass
        statuses, _ = c.response()
        expect(statuses == ['500 line too long'], 'unending line: %r' % statuses)
        expect(c.closed_within(3), 'not closed after an unending line')
    with connect_served(srv, rcvbuf=4096) as c:
        # The answers before a line too long reach a client that reads them
        # late, though the server closes with the rest of its input unread.
        c.send(b'SHOW DB\r\n' * 200 + b'x' * 2000 + b'\r\n' + b'y' * 20000)
        time.sleep(0.5)
        codes = [c.code() for _ in range(201)]
        expect(codes == [110] * 200 + [500], 'answers read late: %r' % sorted(set(codes)))
        expect(c.closed_within(3), 'not closed after a line too long')
    good_client(srv)


def test_garbage(srv, strict):
    with connect_served(srv) as c:
        for line in (b'DEFINE vcl_ea \x00bank', b'\x01\x02\x03\x7f', b'DEFINE vcl_ea \xff\xfe',
                     b'MATCH vcl_ea prefix \xc3', b'SHOW\x1b[2J DB', b'DEFINE vcl_ea "ba\x00nk"'):
            c.send(line + b'\r\n')
            statuses, _ = c.response()
            expect(statuses[0].startswith('500'), '%r answered %r' % (line, statuses))
        c.send('SHOW DB\r\n')
        expect(c.code() == 110, 'SHOW DB after the garbage')
        # Random bytes cut into lines: one answer a line, none of them a success.
        rng = random.Random(2628)
        blob = bytes(b for b in rng.randbytes(60000) if b not in (10, 13))
        lines = [blob[i:i + rng.randint(1, 300)] for i in range(0, len(blob), 300)]
        lines = [l for l in lines if l.strip(b' \t')]
        c.send(b''.join(l + b'\r\n' for l in lines) + b'SHOW STRAT\r\n')
        for i, line in enumerate(lines):
            code = int(c.response()[0][-1][:3])
            expect(code >= 500, 'random line %d (%r) answered %d' % (i, line[:40], code))
        expect(c.code() == 111, 'SHOW STRAT after the random lines')
    good_client(srv)


def test_too_many_connections(srv, strict):
    held = [connect_served(srv) for _ in range(3)]
    try:
        with Client(srv.port) as extra:
            statuses, _ = extra.response()
            expect(statuses[0].startswith('420 '), 'the 4th connection got %r' % statuses)
            expect(extra.closed_within(2), 'the 4th connection is not closed')
        held.pop().close()
        held.append(connect_served(srv))  # the slot is given back
    finally:
        for c in held:
            c.close()
    good_client(srv)


def test_command_before_banner(srv, strict):
    for server, refused in ((srv, False), (strict, True)):
        os.kill(server.proc.pid, signal.SIGSTOP)
        try:
            c = Client(server.port)
            c.send('SHOW STRAT\r\n')
            time.sleep(0.2)  # the command is there before the server sees the connection
        finally:
            os.kill(server.proc.pid, signal.SIGCONT)
        with c:
            c.banner()
            statuses, _ = c.response()
            if refused:
                expect(statuses == ['500 command sent before the banner'], 'early command: %r' % statuses)
                expect(c.closed_within(3), 'not closed after an early command')
            else:
                expect(statuses[0].startswith('111 '), 'early command: %r' % statuses)
        good_client(server)


def test_idle(srv, strict):
    with connect_served(srv) as c:
        start = time.monotonic()
        statuses, _ = c.response()
        took = time.monotonic() - start
        expect(statuses == ['421 idle timeout'], 'idle: %r' % statuses)
        expect(IDLE - 0.5 < took < IDLE + 2, 'idle answer after %.2f s' % took)
        expect(c.closed_within(3), 'not closed after the idle timeout')
    with connect_served(srv) as c:
        # A line trickled in byte by byte is no activity.
        start = time.monotonic()
        try:
            for ch in b'SHOW DB':
                c.send(bytes([ch]))
                time.sleep(0.4)
        except (ConnectionResetError, BrokenPipeError):
            pass
        statuses, _ = c.response()
        took = time.monotonic() - start
        expect(statuses == ['421 idle timeout'], 'trickle: %r' % statuses)
        expect(took < IDLE + 2, 'trickle answered after %.2f s' % took)
    with connect_served(srv) as c:
        # A client that keeps asking is never idle.
        for _ in range(8):
            c.send('SHOW STRAT\r\n')
            expect(c.code() == 111, 'a busy client was cut')
            time.sleep(IDLE / 4)
    good_client(srv)


def test_client_not_reading(srv, strict):
    rss_before = srv.rss_kib()
    c = Client(srv.port, rcvbuf=4096)
    c.banner()
    c.sock.setblocking(False)
    chunk = b'DEFINE vcl_ea book\r\nDEFINE * house\r\n' * 2000
    state = {'closed_at': None, 'sent': 0}

    def flood():
        end = time.monotonic() + 20
        view = memoryview(chunk)
        while time.monotonic() < end:
            try:
                n = c.sock.send(view)
                state['sent'] += n
                view = view[n:] or memoryview(chunk)
            except BlockingIOError:
                time.sleep(0.005)
            except (ConnectionResetError, BrokenPipeError):
                state['closed_at'] = time.monotonic()
                return

    start = time.monotonic()
    t = threading.Thread(target=flood)
    t.start()
    rss_peak = rss_before
    good_checked = False
    while t.is_alive():
        rss_peak = max(rss_peak, srv.rss_kib())
        if not good_checked and time.monotonic() - start > 1:
            good_client(srv)  # served while the flood is blocked
            good_checked = True
        time.sleep(0.05)
    t.join()
    c.close()
    expect(state['closed_at'] is not None, 'a client that does not read is not closed (sent %d bytes)' % state['sent'])
    took = state['closed_at'] - start
    expect(took < IDLE + 6, 'the client that does not read was closed after %.1f s' % took)
    grown = (rss_peak - rss_before) / 1024
    expect(grown < 32, 'the server grew by %.1f MiB' % grown)
    print('    (closed after %.1f s, %d bytes sent, the server grew by %.1f MiB)' % (took, state['sent'], grown))
    good_client(srv)


def main():
    program, folder = sys.argv[1], sys.argv[2]
    srv = Server(program, folder, '--max-connections', '3', '--idle-timeout', str(IDLE))
    strict = Server(program, folder, '--reject-early-commands', '--idle-timeout', str(IDLE))
    failures = 0
    tests = [test_pipelined_in_order, test_long_lines, test_garbage, test_too_many_connections,
             test_command_before_banner, test_idle, test_client_not_reading]
    try:
        for test in tests:
            try:
                test(srv, strict)
                print('ok:', test.__name__)
            except (AssertionError, Closed, OSError) as e:
                failures += 1
                print('FAIL: %s: %s: %s' % (test.__name__, type(e).__name__, e))
            sys.stdout.flush()
    finally:
        for name, s in (('server', srv), ('strict server', strict)):
            status = s.stop()
            if status != 0:
                failures += 1
                print('FAIL: SIGTERM: the %s %s' % (name, 'still runs' if status is None else 'exited with %d' % status))
    print('%d of %d checks failed' % (failures, len(tests) + 2) if failures else 'all checks passed')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
