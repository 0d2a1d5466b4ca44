#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives a real `lumivane-service serve` on a free loopback port over raw HTTP."""
import concurrent.futures, glob, http.client, json, os, re, resource, signal, socket, sqlite3, struct, subprocess, sys, tempfile, time, unittest, zlib

BIN = sys.argv.pop(1)
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pg_cluster  # noqa: E402

# Set by pg_cluster.py: every catalogue's records then live in a PostgreSQL database of their own.
POSTGRES = os.environ.get("LUMIVANE_TEST_POSTGRES")
_databases = {}


def catalogue(data):
    """The options naming where the records of the catalogue in folder `data` live."""
    if not POSTGRES:
        return []
    key = os.path.realpath(data)
    if key not in _databases:
        _databases[key] = pg_cluster.create_database(POSTGRES, f"c{len(_databases)}")
    return ["--database", _databases[key]]


def rows(data, sql):
    """The rows of a query on the records of the catalogue in `data`."""
    if not POSTGRES:
        with sqlite3.connect(os.path.join(data, "catalogue.db")) as db:
            return db.execute(sql).fetchall()
    name = _databases[os.path.realpath(data)].split("?")[0].rsplit("/", 1)[1]
    return [tuple(int(v) if v.isdigit() else v for v in row) for row in pg_cluster.psql(POSTGRES, name, sql)]


class ServiceHttp(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        for _ in range(2):  # the second run must not duplicate anything
            subprocess.run([BIN, "seed", "--data", cls.tmp.name, *catalogue(cls.tmp.name), "--synthetic", "70", "--small"],
                           check=True, stdout=subprocess.DEVNULL)
        cls.proc = subprocess.Popen([BIN, "serve", "--data", cls.tmp.name, *catalogue(cls.tmp.name), "--port", "0"],
                                    stdout=subprocess.PIPE, text=True)
        line = cls.proc.stdout.readline()
        cls.port = int(re.search(r"127\.0\.0\.1:(\d+)", line).group(1))

    @classmethod
    def tearDownClass(cls):
        cls.proc.terminate()
        code = cls.proc.wait(10)
        cls.tmp.cleanup()
        assert code == 0, f"serve exited with {code} on SIGTERM"

    @staticmethod
    def read_answer(stream):
        """One HTTP answer off a socket's file: status, headers (lower-case names), body."""
        status = int(stream.readline().split()[1])
        headers = {}
        for line in iter(stream.readline, b"\r\n"):
            name, _, value = line.decode().partition(":")
            headers[name.strip().lower()] = value.strip()
        return status, headers, stream.read(int(headers.get("content-length", 0)))

    def start_serve(self, port=0, data=None, extra=(), preexec_fn=None):
        data = data or self.tmp.name
        proc = subprocess.Popen([BIN, "serve", "--data", data, *catalogue(data), "--port", str(port), *extra],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, preexec_fn=preexec_fn)
        line = proc.stdout.readline()
        match = re.search(r"127\.0\.0\.1:(\d+)", line)
        return proc, int(match.group(1)) if match else None

    def request(self, method, path, headers=None, body=None):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        conn.request(method, path, body=body, headers=headers or {})
        res = conn.getresponse()
        data = res.read()
        conn.close()
        return res, data

    def json(self, method, path, status=200):
        res, data = self.request(method, path, body=b"" if method == "POST" else None)
        self.assertEqual(res.status, status, data)
        return json.loads(data)

    def test_list_envelope_paging_and_idempotent_seed(self):
        body = self.json("GET", "/api/wallpapers?page=2&limit=500")
        self.assertTrue(body["success"])
        self.assertEqual(body["pagination"], {"page": 2, "limit": 100, "total": 70, "total_pages": 1})
        self.assertEqual(body["data"], [])
        first = self.json("GET", "/api/wallpapers?limit=5")["data"][0]
        for key in ["id", "title", "file_key", "width", "height", "file_size", "format", "is_live",
                    "is_featured", "status", "download_count", "favorite_count", "view_count", "tags",
                    "category", "created_at", "updated_at", "category_id"]:
            self.assertIn(key, first)
        self.assertRegex(first["created_at"], r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$")
        self.assertEqual(first["category"]["id"], first["category_id"])
        cats = self.json("GET", "/api/categories")["data"]
        self.assertGreaterEqual(len(cats), 8)
        self.assertEqual(sum(c["wallpaper_count"] for c in cats), 70)
        one = self.json("GET", "/api/wallpapers?limit=100&category_id=" + cats[0]["id"])
        self.assertEqual(one["pagination"]["total"], cats[0]["wallpaper_count"])

    def test_search_is_safe_against_query_metacharacters(self):
        hits = self.json("GET", "/api/wallpapers?search=quiet")["pagination"]["total"]
        self.assertGreater(hits, 0)
        for text in ['%22', 'quiet%22%20OR%20*', 'NEAR(a%20b)', "'%3B%20DROP%20TABLE%20wallpapers%3B--", '(((', '%5E-:']:
            body = self.json("GET", "/api/wallpapers?search=" + text)
            self.assertTrue(body["success"])
        self.assertEqual(self.json("GET", "/api/wallpapers")["pagination"]["total"], 70)
        self.json("GET", "/api/wallpapers/'%20OR%201=1--", 404)

    def test_search_pages_are_slices_of_the_list_in_every_order(self):
        # Words found in every record, in a few and in none, so that pages come both from a walk
        # down an order and from the sorted matches; every page must be the list's own order.
        cats = [c["id"] for c in self.json("GET", "/api/categories")["data"]][:2]
        for sort, cat in [(s, c) for s in ("newest", "popular", "trending") for c in (None, *cats)]:
            scope = f"&sort={sort}" + (f"&category_id={cat}" if cat else "")
            listed = self.json("GET", "/api/wallpapers?limit=100" + scope)["data"]
            for words in ("wallpaper", "quiet", "A tones", "aur", "zzzq"):
                pattern = re.compile(r"".join(rf"(?=.*\b{re.escape(w)})" for w in words.split()), re.I)
                want = [w["id"] for w in listed if pattern.match(" ".join([w["title"], w["description"] or "", *w["tags"]]))]
                got, page = [], 1
                while True:
                    body = self.json("GET", f"/api/wallpapers?page={page}&limit=3&search={words.replace(' ', '%20')}" + scope)
                    self.assertEqual(body["pagination"]["total"], len(want), (sort, cat, words))
                    got += [w["id"] for w in body["data"]]
                    if page >= body["pagination"]["total_pages"]:
                        break
                    page += 1
                self.assertEqual(got, want, (sort, cat, words))
        self.assertEqual(self.json("GET", "/api/wallpapers?page=99&limit=3&search=wallpaper")["data"], [])

    @unittest.skipIf(POSTGRES, "rows written straight into a SQLite catalogue")
    def test_search_matching_every_record_pages_as_the_list(self):
        # 7,000 records, each description starting with "A": a search for "a" is the list itself,
        # near its start (rows looked up in the search index one by one) and far on.
        with tempfile.TemporaryDirectory() as big:
            cols = ("title,description,file_key,thumbnail_key,medium_key,full_key,width,height,file_size,format,status,"
                    "download_count,favorite_count,view_count,trend,tags,category_id,uploaded_by_id,updated_at")
            with sqlite3.connect(os.path.join(self.tmp.name, "catalogue.db")) as src, \
                    sqlite3.connect(os.path.join(big, "catalogue.db")) as db:
                src.backup(db)
                db.execute(f"WITH RECURSIVE k(n) AS (SELECT 1 UNION ALL SELECT n+1 FROM k WHERE n<99)"
                           f" INSERT INTO wallpapers(id,is_featured,created_at,{cols})"
                           f" SELECT id||'-'||n, 0, created_at-n*10000000, {cols} FROM wallpapers, k")
            db.close()
            src.close()
            proc, port = self.start_serve(data=big)
            try:
                conn = http.client.HTTPConnection("127.0.0.1", port, timeout=30)

                def get(path):
                    conn.request("GET", path)
                    body = json.loads(conn.getresponse().read())
                    return body["pagination"]["total"], [w["id"] for w in body["data"]]
                cat = self.json("GET", "/api/categories")["data"][0]["id"]
                for scope in ("", f"&category_id={cat}"):
                    for sort in ("newest", "popular", "trending"):
                        for page, limit in ((1, 3), (2, 3), (3, 20), (60, 100), (400, 3)):
                            path = f"/api/wallpapers?page={page}&limit={limit}&sort={sort}{scope}"
                            self.assertEqual(get(path + "&search=a"), get(path), path)
                conn.close()
            finally:
                proc.terminate()
                proc.communicate(timeout=10)

    @unittest.skipIf(POSTGRES, "the search index of a SQLite catalogue")
    def test_catalogue_of_the_previous_schema_opens_with_its_search_index_rebuilt(self):
        with tempfile.TemporaryDirectory() as old:
            with sqlite3.connect(os.path.join(self.tmp.name, "catalogue.db")) as src, \
                    sqlite3.connect(os.path.join(old, "catalogue.db")) as db:
                src.backup(db)
                # As the previous version left it: prefixes from two letters, two steps taken.
                db.executescript("DROP TABLE wallpapers_fts;"
                                 "CREATE VIRTUAL TABLE wallpapers_fts USING fts5(title, description, tags, cat, prefix='2 3 4 5 6 7 8');"
                                 "INSERT INTO wallpapers_fts(rowid,title,description,tags,cat) SELECT rid, title,"
                                 " coalesce(description,''), coalesce(tags,''), 'c'||hex(coalesce(category_id,''))"
                                 " FROM wallpapers WHERE status='approved';"
                                 "UPDATE meta SET value=2 WHERE key='schema';")
            db.close()
            src.close()
            proc, port = self.start_serve(data=old)
            try:
                conn = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
                for words in ("q", "quiet", "a tones"):
                    conn.request("GET", "/api/wallpapers?limit=100&search=" + words.replace(" ", "%20"))
                    got = json.loads(conn.getresponse().read())
                    want = self.json("GET", "/api/wallpapers?limit=100&search=" + words.replace(" ", "%20"))
                    self.assertEqual(got["pagination"], want["pagination"], words)
                    self.assertEqual([w["id"] for w in got["data"]], [w["id"] for w in want["data"]], words)
                    self.assertGreater(got["pagination"]["total"], 0)
                conn.close()
            finally:
                proc.terminate()
                proc.communicate(timeout=10)
            self.assertEqual(rows(old, "SELECT value FROM meta WHERE key='schema'"), [(3,)])
            self.assertIn("prefix='1 ", rows(old, "SELECT sql FROM sqlite_master WHERE name='wallpapers_fts'")[0][0])

    def test_detail_download_view_and_unknown_ids(self):
        featured = self.json("GET", "/api/wallpapers/featured")["data"]
        self.assertTrue(featured)
        self.assertEqual([w["featured_order"] for w in featured], sorted(w["featured_order"] for w in featured))
        wid = featured[0]["id"]
        self.assertEqual(self.json("GET", "/api/wallpapers/" + wid)["data"]["id"], wid)
        dl = self.json("GET", f"/api/wallpapers/{wid}/download")["data"]
        self.assertTrue(dl["url"].startswith(f"http://127.0.0.1:{self.port}/images/"))
        self.assertRegex(dl["filename"], r"^[a-z0-9-]+-\d+x\d+\.jpg$")
        before = self.json("GET", "/api/wallpapers/" + wid)["data"]["view_count"]
        self.assertIsInstance(self.json("POST", f"/api/wallpapers/{wid}/view")["data"], str)
        self.assertEqual(self.json("GET", "/api/wallpapers/" + wid)["data"]["view_count"], before + 1)
        self.assertEqual(self.json("GET", "/api/wallpapers?sort=trending&limit=1")["data"][0]["id"], wid)
        err = self.json("GET", "/api/wallpapers/does-not-exist", 404)
        self.assertEqual((err["success"], err["data"]), (False, "not_found"))
        self.assertIsInstance(err["message"], str)
        self.json("POST", "/api/wallpapers/does-not-exist/view", 404)

    def test_image_host_caching_and_traversal(self):
        key = self.json("GET", "/api/wallpapers?limit=1")["data"][0]["thumbnail_key"]
        res, data = self.request("GET", "/images/" + key)
        self.assertEqual(res.status, 200)
        self.assertEqual(data[:3], b"\xff\xd8\xff")
        etag, modified = res.getheader("ETag"), res.getheader("Last-Modified")
        self.assertTrue(res.getheader("Cache-Control"))
        self.assertEqual(self.request("GET", "/images/" + key, {"If-None-Match": etag})[0].status, 304)
        self.assertEqual(self.request("GET", "/images/" + key, {"If-Modified-Since": modified})[0].status, 304)
        for bad in ["../catalogue.db", "..%2Fcatalogue.db", "%2e%2e/catalogue.db", "%2e%2e%2fcatalogue.db",
                    "wallpapers/..%2F..%2Fcatalogue.db", "%2Fetc%2Fpasswd", "wallpapers/"]:
            res, data = self.request("GET", "/images/" + bad)
            self.assertEqual(res.status, 404, bad)
            self.assertNotIn(b"SQLite", data)

    def test_pipelined_requests_are_answered_in_order(self):
        keys = [w["thumbnail_key"] for w in self.json("GET", "/api/wallpapers?limit=3")["data"]]
        expected = [self.request("GET", "/images/" + k)[1] for k in keys]
        self.assertEqual(len(set(expected)), 3)
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as sock:
            sock.sendall(b"".join(f"GET /images/{k} HTTP/1.1\r\nHost: x\r\n\r\n".encode() for k in keys))
            stream = sock.makefile("rb")
            got = [self.read_answer(stream) for _ in keys]
        self.assertEqual([(status, body) for status, _, body in got], [(200, body) for body in expected])

    def test_idle_and_slow_connections_do_not_delay_others(self):
        # Many connections held open: half after a whole request, half in the middle of a header.
        held = [socket.create_connection(("127.0.0.1", self.port), timeout=10) for _ in range(200)]
        try:
            for i, sock in enumerate(held):
                sock.sendall(b"GET /api/categories HTTP/1.1\r\nHost: x\r\n" + (b"" if i % 2 else b"\r\n"))
            start = time.monotonic()
            self.assertEqual(self.request("GET", "/api/wallpapers?limit=5")[0].status, 200)
            self.assertLess(time.monotonic() - start, 1.0)
            for sock in held[::2]:
                self.assertEqual(self.read_answer(sock.makefile("rb"))[0], 200)
        finally:
            for sock in held:
                sock.close()

    def test_busy_port_is_refused(self):
        proc, _ = self.start_serve(self.port)
        _, err = proc.communicate(timeout=20)
        self.assertNotEqual(proc.returncode, 0)
        self.assertIn(f"port {self.port} is already in use", err)

    def test_sigterm_finishes_the_request_in_flight_and_exits_cleanly(self):
        proc, port = self.start_serve()
        idle = socket.create_connection(("127.0.0.1", port), timeout=10)
        busy = socket.create_connection(("127.0.0.1", port), timeout=10)
        body = b"not a multipart body"
        busy.sendall(b"POST /api/uploads/wallpaper HTTP/1.1\r\nHost: x\r\nContent-Type: text/plain\r\n"
                     b"Content-Length: %d\r\n\r\n" % len(body) + body[:5])
        time.sleep(0.3)
        proc.send_signal(signal.SIGTERM)
        time.sleep(0.3)
        self.assertEqual(idle.recv(1), b"")  # the idle connection is closed at once
        busy.sendall(body[5:])
        status, headers, answer = self.read_answer(busy.makefile("rb"))
        self.assertEqual((status, json.loads(answer)["success"]), (400, False))
        self.assertEqual(headers.get("connection"), "close")
        self.assertEqual(proc.wait(10), 0)
        with self.assertRaises(OSError):
            socket.create_connection(("127.0.0.1", port), timeout=2).close()
        idle.close()
        busy.close()

    def upload(self, file_bytes, title="Evening Tide", category=None, machine="machine-a", filename="photo.jpg",
               tags=("sea", "blue"), headers=None):
        category = category if category is not None else self.json("GET", "/api/categories")["data"][0]["id"]
        boundary = "Boundary-test-1234"
        parts = []
        fields = [("title", title), ("category_id", category), ("machine_id", machine)] + [("tags[]", t) for t in tags]
        for name, value in fields:
            if value is None:
                continue
            parts.append(f'--{boundary}\r\nContent-Disposition: form-data; name="{name}"\r\n\r\n{value}\r\n'.encode())
        parts.append(f'--{boundary}\r\nContent-Disposition: form-data; name="file"; filename="{filename}"\r\n'
                     f'Content-Type: image/jpeg\r\n\r\n'.encode() + file_bytes + b"\r\n")
        body = b"".join(parts) + f"--{boundary}--\r\n".encode()
        hdrs = {"Content-Type": f"multipart/form-data; boundary={boundary}"}
        hdrs.update(headers or {})
        res, data = self.request("POST", "/api/uploads/wallpaper", hdrs, body)
        return res.status, json.loads(data)

    @classmethod
    def big_jpeg(cls):
        if not hasattr(cls, "_big"):
            d = tempfile.mkdtemp()
            subprocess.run([BIN, "seed", "--data", d, *catalogue(d), "--synthetic", "1"], check=True, stdout=subprocess.DEVNULL)
            cls._big = open(glob.glob(os.path.join(d, "images/wallpapers/*/full.jpg"))[0], "rb").read()
        return cls._big

    def test_upload_round_trip_and_moderation(self):
        status, body = self.upload(self.big_jpeg(), machine="round-trip")
        self.assertEqual(status, 200, body)
        job = body["data"]["job_id"]
        for _ in range(900):  # other tests may have queued jobs ahead of this one
            state = self.json("GET", "/api/uploads/status/" + job)["data"]
            if state["status"] in ("completed", "failed"):
                break
            time.sleep(0.1)
        self.assertEqual(state["status"], "completed", state)
        wp = state["wallpaper"]
        self.assertEqual((wp["status"], wp["width"], wp["height"], wp["tags"]), ("pending", 2560, 1600, ["sea", "blue"]))
        self.json("GET", "/api/wallpapers/" + wp["id"], 404)  # not listed until approved
        mine = self.json("GET", "/api/uploads/my-uploads?machine_id=round-trip")["data"]
        self.assertEqual([w["id"] for w in mine], [wp["id"]])
        self.assertEqual(self.json("GET", "/api/uploads/my-uploads?machine_id=%27%20OR%201%3D1--")["data"], [])
        self.assertEqual(self.request("GET", "/images/" + wp["thumbnail_key"])[0].status, 200)
        subprocess.run([BIN, "moderate", "--data", self.tmp.name, *catalogue(self.tmp.name), "approve", wp["id"]], check=True, stdout=subprocess.DEVNULL)
        self.assertEqual(self.json("GET", "/api/wallpapers/" + wp["id"])["data"]["status"], "approved")
        self.json("GET", "/api/uploads/status/unknown-job", 404)

    @staticmethod
    def png(w, h, pixels=b"\x00" * 64):
        """A PNG whose header claims w x h RGB pixels, holding only `pixels` (raw rows)."""
        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(pixels, 1)) + chunk(b"IEND", b""))

    def wait_for_jobs(self, jobs, timeout=120):
        deadline = time.monotonic() + timeout
        while True:
            states = [self.json("GET", "/api/uploads/status/" + j)["data"]["status"] for j in jobs]
            if all(s in ("completed", "failed") for s in states) or time.monotonic() > deadline:
                return states
            time.sleep(0.1)

    def other_server(self, data, extra=(), preexec_fn=None):
        """Points the helpers at a second serve process until the test ends."""
        proc, self.port = self.start_serve(data=data, extra=extra, preexec_fn=preexec_fn)
        def stop():
            proc.terminate()
            proc.communicate(timeout=30)
            self.port = type(self).port
        self.addCleanup(stop)
        return proc

    def test_limits_on_uploads(self):
        # A header that claims 100 megapixels over a few bytes is refused at once, not decoded.
        start = time.monotonic()
        status, body = self.upload(self.png(10000, 10000), machine="bomb")
        self.assertEqual((status, body["success"]), (415, False), body)
        self.assertLess(time.monotonic() - start, 2.0)

        with tempfile.TemporaryDirectory() as data:
            subprocess.run([BIN, "seed", "--data", data, *catalogue(data), "--synthetic", "1", "--small"], check=True, stdout=subprocess.DEVNULL)
            self.other_server(data, ["--upload-workers", "1", "--max-pending", "2", "--uploads-per-address", "4"])
            # The queue is capped, and the address is limited whatever device ids it invents.
            first = [self.upload(self.big_jpeg(), machine=f"device-{i}") for i in range(3)]
            self.assertEqual([s for s, _ in first], [200, 200, 503], first)
            self.assertEqual(first[2][1]["data"], "busy")
            self.wait_for_jobs([b["data"]["job_id"] for s, b in first if s == 200])
            codes = [self.upload(self.big_jpeg(), machine=f"device-{i}")[0] for i in range(3, 6)]
            self.assertEqual(codes, [200, 200, 429])

        # Past its decoding time an upload fails and leaves no wallpaper and no rendition folder.
        with tempfile.TemporaryDirectory() as data:
            subprocess.run([BIN, "seed", "--data", data, *catalogue(data), "--synthetic", "1", "--small"], check=True, stdout=subprocess.DEVNULL)
            self.other_server(data, ["--decode-seconds", "0"])
            folders = set(os.listdir(os.path.join(data, "images", "wallpapers")))
            status, body = self.upload(self.big_jpeg(), machine="slow-decode")
            self.assertEqual(status, 200, body)
            self.assertEqual(self.wait_for_jobs([body["data"]["job_id"]]), ["failed"])
            self.assertEqual(set(os.listdir(os.path.join(data, "images", "wallpapers"))), folders)
            self.assertEqual(rows(data, "SELECT COUNT(*) FROM wallpapers"), [(1,)])

        # A disk that fills (here a file size limit) gives an error answer and stores no job.
        with tempfile.TemporaryDirectory() as data:
            subprocess.run([BIN, "seed", "--data", data, *catalogue(data), "--synthetic", "1", "--small"], check=True, stdout=subprocess.DEVNULL)
            def small_disk():
                signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
                resource.setrlimit(resource.RLIMIT_FSIZE, (4 << 20, 4 << 20))
            self.other_server(data, preexec_fn=small_disk)
            status, body = self.upload(self.png(2560, 1600, os.urandom(2560 * 1600 * 3 + 1600)), machine="full-disk")
            self.assertEqual((status, body["success"], body["data"]), (507, False, "storage_full"), body)
            self.assertEqual(os.listdir(os.path.join(data, "uploads")), [])
            self.assertEqual(rows(data, "SELECT COUNT(*) FROM jobs"), [(0,)])

    def test_lifecycle_of_seeds_and_damaged_uploads(self):
        # A seed killed half way keeps its committed batches; run again it completes the catalogue
        # and leaves no rendition folder that no record uses.
        with tempfile.TemporaryDirectory() as data:
            proc = subprocess.Popen([BIN, "seed", "--data", data, *catalogue(data), "--synthetic", "400", "--small"], stdout=subprocess.DEVNULL)
            count = lambda: rows(data, "SELECT COUNT(*) FROM wallpapers")[0][0]
            deadline = time.monotonic() + 60
            while proc.poll() is None and time.monotonic() < deadline:
                try:
                    if count() > 0:
                        break
                except (sqlite3.Error, subprocess.CalledProcessError, KeyError):
                    pass
                time.sleep(0.05)
            proc.kill()
            proc.wait()
            self.assertTrue(0 < count() < 400, count())
            subprocess.run([BIN, "seed", "--data", data, *catalogue(data), "--synthetic", "400", "--small"], check=True, stdout=subprocess.DEVNULL)
            self.assertEqual(count(), 400)
            used = {key.split("/")[1] for row in rows(data, "SELECT thumbnail_key, full_key FROM wallpapers")
                    for key in row}
            self.assertEqual(set(os.listdir(os.path.join(data, "images", "wallpapers"))), used)

        # A truncated picture fails instead of completing with grey rows.
        status, body = self.upload(self.big_jpeg()[: len(self.big_jpeg()) // 2], machine="truncated")
        self.assertEqual(status, 200, body)
        self.assertEqual(self.wait_for_jobs([body["data"]["job_id"]]), ["failed"])

    def test_validation_of_text_ranges_and_urls(self):
        # Lengths count characters, not bytes; a NUL never reaches the catalogue or the search.
        self.assertEqual(self.upload(self.big_jpeg(), title="€" * 34, machine="euro")[0], 200)
        self.assertEqual(self.upload(self.big_jpeg(), title="€" * 101, machine="euro")[0], 422)
        self.assertEqual(self.upload(self.big_jpeg(), title="a\x00bcd", machine="nul")[0], 400)
        err = self.json("GET", "/api/wallpapers?search=quiet%00x", 400)
        self.assertEqual((err["success"], err["data"]), (False, "bad_request"))

        # A range past the end is a 416 envelope; a Range header that is not a byte range is ignored.
        key = self.json("GET", "/api/wallpapers?limit=1")["data"][0]["thumbnail_key"]
        whole = self.request("GET", "/images/" + key)[1]
        res, data = self.request("GET", "/images/" + key, {"Range": "bytes=%d-" % len(whole)})
        self.assertEqual((res.status, res.getheader("Content-Range")), (416, "bytes */%d" % len(whole)))
        self.assertEqual(json.loads(data)["data"], "range_not_satisfiable")
        for header in ["items=0-1", "bytes=abc", "bytes=5-2"]:
            res, data = self.request("GET", "/images/" + key, {"Range": header})
            self.assertEqual((res.status, data), (200, whole), header)

        # Download URLs come from --public-url, or the address listened on when there is no Host.
        wid = self.json("GET", "/api/wallpapers?limit=1")["data"][0]["id"]
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as sock:
            sock.sendall(f"GET /api/wallpapers/{wid}/download HTTP/1.0\r\n\r\n".encode())
            _, _, body = self.read_answer(sock.makefile("rb"))
        self.assertTrue(json.loads(body)["data"]["url"].startswith(f"http://127.0.0.1:{self.port}/images/"), body)
        self.other_server(self.tmp.name, ["--public-url", "https://walls.example.org/"])
        url = self.json("GET", f"/api/wallpapers/{wid}/download")["data"]["url"]
        self.assertTrue(url.startswith("https://walls.example.org/images/wallpapers/"), url)

    def test_upload_rejects_bad_input(self):
        def png_header(w, h):
            ihdr = struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)
            chunk = struct.pack(">I", 13) + b"IHDR" + ihdr + struct.pack(">I", zlib.crc32(b"IHDR" + ihdr))
            raw = zlib.compress(b"\x00" * 64)
            chunk += struct.pack(">I", len(raw)) + b"IDAT" + raw + struct.pack(">I", zlib.crc32(b"IDAT" + raw))
            iend = struct.pack(">I", 0) + b"IEND" + struct.pack(">I", zlib.crc32(b"IEND"))
            return b"\x89PNG\r\n\x1a\n" + chunk + iend
        small = open(glob.glob(os.path.join(self.tmp.name, "images/wallpapers/*/full.jpg"))[0], "rb").read()
        cases = [
            ("lies about type", dict(file_bytes=b"<html>not an image</html>" * 10), 415),
            ("below minimum", dict(file_bytes=small), 422),
            ("decompression bomb", dict(file_bytes=png_header(30000, 30000)), 422),
            ("missing title", dict(file_bytes=self.big_jpeg(), title=None), 422),
            ("missing machine", dict(file_bytes=self.big_jpeg(), machine=None), 400),
            ("unknown category", dict(file_bytes=self.big_jpeg(), category="no-such-category"), 422),
            ("short title", dict(file_bytes=self.big_jpeg(), title="ab"), 422),
        ]
        for name, kwargs, expected in cases:
            with self.subTest(name):
                status, body = self.upload(machine=kwargs.pop("machine", "bad-input"), **kwargs)
                self.assertEqual(status, expected, body)
                self.assertFalse(body["success"])
                self.assertIsInstance(body["message"], str)
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        conn.putrequest("POST", "/api/uploads/wallpaper")
        conn.putheader("Content-Type", "multipart/form-data; boundary=x")
        conn.putheader("Content-Length", str(60 * 1024 * 1024))
        conn.endheaders()
        res = conn.getresponse()  # answered without the body ever being sent
        self.assertEqual(res.status, 413)
        self.assertFalse(json.loads(res.read())["success"])
        conn.close()
        self.assertIsNone(self.proc.poll())

    def test_acknowledged_uploads_survive_sigterm_and_kill(self):
        with tempfile.TemporaryDirectory() as data:
            subprocess.run([BIN, "seed", "--data", data, *catalogue(data), "--synthetic", "8", "--small"], check=True, stdout=subprocess.DEVNULL)
            jobs = []
            for stop in (signal.SIGTERM, signal.SIGKILL):
                proc, self.port = self.start_serve(data=data)
                try:
                    for _ in range(3):
                        status, body = self.upload(self.big_jpeg(), machine="restart")
                        self.assertEqual(status, 200, body)
                        jobs.append(body["data"]["job_id"])
                finally:
                    proc.send_signal(stop)
                    proc.wait(30)
            proc, self.port = self.start_serve(data=data)
            try:
                deadline = time.monotonic() + 120
                while time.monotonic() < deadline:
                    states = [self.json("GET", "/api/uploads/status/" + j)["data"]["status"] for j in jobs]
                    if all(s in ("completed", "failed") for s in states):
                        break
                    time.sleep(0.2)
                self.assertEqual(states, ["completed"] * 6)
                self.assertEqual(len(self.json("GET", "/api/uploads/my-uploads?machine_id=restart")["data"]), 6)
                self.assertEqual(os.listdir(os.path.join(data, "uploads")), [])
            finally:
                proc.terminate()
                proc.wait(30)
                self.port = type(self).port

    def test_upload_rate_limit_per_machine(self):
        codes = [self.upload(self.big_jpeg(), machine="busy-device")[0] for _ in range(21)]
        self.assertEqual(codes, [200] * 20 + [429])
        self.assertEqual(self.upload(self.big_jpeg(), machine="other-device")[0], 200)

    def test_concurrent_requests_all_answered(self):
        with concurrent.futures.ThreadPoolExecutor(16) as pool:
            codes = list(pool.map(lambda _: self.request("GET", "/api/wallpapers?limit=20")[0].status, range(200)))
        self.assertEqual(codes, [200] * 200)
        self.assertIsNone(self.proc.poll())


if __name__ == "__main__":
    unittest.main()
