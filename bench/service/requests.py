#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Request times of the requests Home and Explore make, at several catalogue sizes, and one
request's time while hundreds of idle keep-alive connections are open.

    bench/service/requests.py --bin PATH [--records 1000,10000,100000] [--runs 30] [--idle 500] [--keep DIR]

Each size is seeded (small synthetic images) in a temporary folder and served on a free loopback
port (with --keep, the catalogues are kept as DIR/<records> and reused). Every request is timed twice: "changed" right after a recorded view changed the catalogue
(so nothing cached can answer it), and "repeated" for the same request again. Medians in ms,
with the client's own Accept-Encoding header."""
import argparse, http.client, re, socket, statistics, subprocess, sys, tempfile, time

HEADERS = {"Accept-Encoding": "zstd, br, gzip, deflate", "Accept": "application/json"}


def start(binary, data):
    proc = subprocess.Popen([binary, "serve", "--data", data, "--port", "0"], stdout=subprocess.PIPE, text=True)
    port = int(re.search(r":(\d+)$", proc.stdout.readline().strip()).group(1))
    return proc, port


def timed(conn, path, method="GET"):
    start = time.perf_counter()
    conn.request(method, path, headers=HEADERS, body=b"" if method == "POST" else None)
    res = conn.getresponse()
    body = res.read()
    elapsed = (time.perf_counter() - start) * 1000
    if res.status != 200:
        sys.exit(f"{method} {path}: {res.status} {body[:200]!r}")
    return elapsed, body


def measure(binary, records, runs, keep):
    with tempfile.TemporaryDirectory() as tmp:
        data = f"{keep}/{records}" if keep else tmp
        # Seeding again finds every record there and adds nothing.
        subprocess.run([binary, "seed", "--data", data, "--synthetic", str(records), "--small"], check=True,
                       stdout=subprocess.DEVNULL)
        proc, port = start(binary, data)
        try:
            conn = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
            import json
            cats = json.loads(timed(conn, "/api/categories")[1])["data"]
            some = json.loads(timed(conn, "/api/wallpapers?limit=1")[1])["data"][0]["id"]
            requests = [("Home: featured", "/api/wallpapers/featured"), ("Home: categories", "/api/categories")]
            requests += [(f"Home: row {i + 1}", f"/api/wallpapers?page=1&limit=8&category_id={c['id']}") for i, c in enumerate(cats[:6])]
            requests += [("Explore: newest", "/api/wallpapers?page=1&limit=20&sort=newest"),
                         ("Explore: popular", "/api/wallpapers?page=1&limit=20&sort=popular"),
                         ("Explore: trending", "/api/wallpapers?page=1&limit=20&sort=trending"),
                         ("Explore: category, popular, page 3", f"/api/wallpapers?page=3&limit=20&category_id={cats[2]['id']}&sort=popular"),
                         ("Explore: page 40", "/api/wallpapers?page=40&limit=20&sort=newest"),
                         ("Explore: search", "/api/wallpapers?page=1&limit=20&search=aurora"),
                         ("Explore: search in a category", f"/api/wallpapers?page=1&limit=20&search=quiet&category_id={cats[1]['id']}")]
            results = []
            for name, path in requests:
                changed, repeated = [], []
                for _ in range(runs):
                    timed(conn, f"/api/wallpapers/{some}/view", "POST")
                    changed.append(timed(conn, path)[0])
                    repeated.append(timed(conn, path)[0])
                results.append((name, statistics.median(changed), statistics.median(repeated)))
            conn.close()
            return results
        finally:
            proc.terminate()
            proc.wait(30)


def idle_connections(binary, count, runs):
    with tempfile.TemporaryDirectory() as data:
        subprocess.run([binary, "seed", "--data", data, "--synthetic", "1000", "--small"], check=True, stdout=subprocess.DEVNULL)
        proc, port = start(binary, data)
        held = []
        try:
            # Each idle connection has made one request and keeps the connection open, as a
            # client's image and API loaders do between requests.
            for _ in range(count):
                sock = socket.create_connection(("127.0.0.1", port), timeout=30)
                sock.sendall(b"GET /api/categories HTTP/1.1\r\nHost: x\r\n\r\n")
                held.append(sock)
            for sock in held:
                sock.recv(65536)
            conn = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
            times = []
            for _ in range(runs):
                conn.close()  # a new connection each time, accepted beside the idle ones
                times.append(timed(conn, "/api/wallpapers?page=1&limit=20")[0])
            return statistics.median(times), max(times)
        finally:
            for sock in held:
                sock.close()
            proc.terminate()
            proc.wait(30)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--records", default="1000,10000,100000")
    parser.add_argument("--runs", type=int, default=30)
    parser.add_argument("--idle", type=int, default=500)
    parser.add_argument("--keep")
    args = parser.parse_args()
    sizes = [int(n) for n in args.records.split(",")]
    table = {n: measure(args.bin, n, args.runs, args.keep) for n in sizes}
    print(f"\nmedian ms per request (changed = first request after a change / repeated), {args.runs} runs")
    print(f"{'request':38}" + "".join(f"{n:>18,}" for n in sizes))
    for i, (name, _, _) in enumerate(table[sizes[0]]):
        print(f"{name:38}" + "".join(f"{table[n][i][1]:>10.2f} /{table[n][i][2]:>6.2f}" for n in sizes))
    median, worst = idle_connections(args.bin, args.idle, args.runs)
    print(f"\nnew connection's list request with {args.idle} idle keep-alive connections open: "
          f"median {median:.2f} ms, worst {worst:.2f} ms (target: within 10 ms)")


if __name__ == "__main__":
    main()
