#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives a real `lumivane-service serve` on a free loopback port over raw HTTP."""
import concurrent.futures, glob, http.client, json, os, re, struct, subprocess, sys, tempfile, time, unittest, zlib

BIN = sys.argv.pop(1)


class ServiceHttp(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        for _ in range(2):  # the second run must not duplicate anything
            subprocess.run([BIN, "seed", "--data", cls.tmp.name, "--synthetic", "70", "--small"],
                           check=True, stdout=subprocess.DEVNULL)
        cls.proc = subprocess.Popen([BIN, "serve", "--data", cls.tmp.name, "--port", "0"],
                                    stdout=subprocess.PIPE, text=True)
        line = cls.proc.stdout.readline()
        cls.port = int(re.search(r"127\.0\.0\.1:(\d+)", line).group(1))

    @classmethod
    def tearDownClass(cls):
        cls.proc.terminate()
        cls.proc.wait(10)
        cls.tmp.cleanup()

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
            subprocess.run([BIN, "seed", "--data", d, "--synthetic", "1"], check=True, stdout=subprocess.DEVNULL)
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
        subprocess.run([BIN, "moderate", "--data", self.tmp.name, "approve", wp["id"]], check=True, stdout=subprocess.DEVNULL)
        self.assertEqual(self.json("GET", "/api/wallpapers/" + wp["id"])["data"]["status"], "approved")
        self.json("GET", "/api/uploads/status/unknown-job", 404)

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
