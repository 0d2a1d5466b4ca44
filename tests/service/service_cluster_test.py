#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Two `serve` replicas on one PostgreSQL and one image folder, with nginx in front when installed.
Run through pg_cluster.py."""
import concurrent.futures, glob, http.client, json, os, re, shutil, subprocess, sys, tempfile, time, unittest

BIN = sys.argv.pop(1)
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pg_cluster  # noqa: E402

POSTGRES = os.environ["LUMIVANE_TEST_POSTGRES"]
NGINX = shutil.which("nginx") or (os.path.exists("/usr/sbin/nginx") and "/usr/sbin/nginx")


def nginx_main(prefix, site):
    """A whole nginx configuration that keeps everything (pid, logs, temporary files) in prefix."""
    temps = "".join(f"    {kind}_temp_path {prefix}/{kind};\n" for kind in ("client_body", "proxy", "fastcgi", "scgi", "uwsgi"))
    return (f"daemon off;\nworker_processes 1;\npid {prefix}/nginx.pid;\nerror_log {prefix}/error.log;\n"
            f"events {{ worker_connections 1024; }}\nhttp {{\n    access_log off;\n{temps}{site}\n}}\n")


class ServiceCluster(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp()
        os.chmod(cls.tmp, 0o755)  # nginx's workers read the images
        cls.db = ["--database", pg_cluster.create_database(POSTGRES, "cluster")]
        subprocess.run([BIN, "seed", "--data", cls.tmp, *cls.db, "--synthetic", "20", "--small"], check=True,
                       stdout=subprocess.DEVNULL)
        cls.procs, cls.ports = [], []
        for _ in range(2):
            proc = subprocess.Popen([BIN, "serve", "--data", cls.tmp, *cls.db, "--port", "0", "--trust-proxy", "127.0.0.1"],
                                    stdout=subprocess.PIPE, text=True)
            cls.procs.append(proc)
            cls.ports.append(int(re.search(r":(\d+)", proc.stdout.readline()).group(1)))
        cls.nginx = None
        if NGINX:
            prefix = os.path.join(cls.tmp, "nginx")
            os.mkdir(prefix)
            site = subprocess.run([BIN, "nginx-config", "--data", cls.tmp, "--listen", "127.0.0.1:0",
                                   *sum((["--upstream", f"127.0.0.1:{p}"] for p in cls.ports), [])],
                                  check=True, capture_output=True, text=True).stdout
            cls.nginx_port = cls.free_port()
            site = site.replace("listen 127.0.0.1:0;", f"listen 127.0.0.1:{cls.nginx_port};")
            with open(os.path.join(prefix, "nginx.conf"), "w") as f:
                f.write(nginx_main(prefix, site))
            cls.nginx = subprocess.Popen([NGINX, "-p", prefix, "-c", os.path.join(prefix, "nginx.conf")])
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                try:
                    cls.get(cls.nginx_port, "/api/categories")
                    break
                except OSError:
                    time.sleep(0.1)

    @classmethod
    def tearDownClass(cls):
        for proc in cls.procs + ([cls.nginx] if cls.nginx else []):
            proc.terminate()
            proc.wait(20)
        shutil.rmtree(cls.tmp, ignore_errors=True)

    @staticmethod
    def free_port():
        import socket
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            return s.getsockname()[1]

    @staticmethod
    def get(port, path, method="GET", headers=None, body=None):
        conn = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
        conn.request(method, path, body=body if body is not None else (b"" if method == "POST" else None), headers=headers or {})
        res = conn.getresponse()
        data = res.read()
        conn.close()
        return res, data

    def json(self, port, path, method="GET"):
        res, data = self.get(port, path, method)
        self.assertEqual(res.status, 200, data)
        return json.loads(data)["data"]

    def test_counters_are_exact_and_answers_agree_across_replicas(self):
        a, b = self.ports
        listed = lambda port: {w["id"]: w for w in self.json(port, "/api/wallpapers?limit=100&sort=popular")}
        wp = self.json(a, "/api/wallpapers?limit=1")[0]
        listed(b)  # B now holds its answer for this version of the catalogue
        calls = [(self.ports[i % 2], f"/api/wallpapers/{wp['id']}/" + ("view" if i % 3 else "download"),
                  "POST" if i % 3 else "GET") for i in range(600)]
        with concurrent.futures.ThreadPoolExecutor(24) as pool:
            codes = list(pool.map(lambda c: self.get(*c)[0].status, calls))
        self.assertEqual(codes, [200] * len(calls))
        views, downloads = sum(1 for c in calls if c[2] == "POST"), sum(1 for c in calls if c[2] == "GET")
        for port in (a, b):
            now = listed(port)[wp["id"]]
            self.assertEqual((now["view_count"], now["download_count"]),
                             (wp["view_count"] + views, wp["download_count"] + downloads), port)
        self.assertEqual(self.get(a, "/api/wallpapers?limit=100")[1], self.get(b, "/api/wallpapers?limit=100")[1])

    def test_each_upload_is_processed_once_by_one_of_the_replicas(self):
        big = tempfile.mkdtemp()
        try:
            subprocess.run([BIN, "seed", "--data", big, "--synthetic", "1"], check=True, stdout=subprocess.DEVNULL)
            picture = open(glob.glob(os.path.join(big, "images/wallpapers/*/full.jpg"))[0], "rb").read()
        finally:
            shutil.rmtree(big, ignore_errors=True)
        category = self.json(self.ports[0], "/api/categories")[0]["id"]
        boundary = "cluster-boundary"
        def form(i):
            fields = [("title", f"Shared Upload {i}"), ("category_id", category), ("machine_id", "cluster-device")]
            body = b"".join(f'--{boundary}\r\nContent-Disposition: form-data; name="{k}"\r\n\r\n{v}\r\n'.encode() for k, v in fields)
            body += (f'--{boundary}\r\nContent-Disposition: form-data; name="file"; filename="p.jpg"\r\n'
                     f'Content-Type: image/jpeg\r\n\r\n').encode() + picture + f"\r\n--{boundary}--\r\n".encode()
            return body
        jobs = []
        for i in range(8):
            res, data = self.get(self.ports[i % 2], "/api/uploads/wallpaper", "POST",
                                 {"Content-Type": f"multipart/form-data; boundary={boundary}"}, form(i))
            self.assertEqual(res.status, 200, data)
            jobs.append(json.loads(data)["data"]["job_id"])
        deadline = time.monotonic() + 120
        while time.monotonic() < deadline:
            states = [self.json(self.ports[0], "/api/uploads/status/" + j)["status"] for j in jobs]
            if all(s in ("completed", "failed") for s in states):
                break
            time.sleep(0.2)
        self.assertEqual(states, ["completed"] * len(jobs))
        mine = self.json(self.ports[1], "/api/uploads/my-uploads?machine_id=cluster-device")
        self.assertEqual(sorted(w["title"] for w in mine), sorted(f"Shared Upload {i}" for i in range(8)))
        made = pg_cluster.psql(POSTGRES, "cluster", "SELECT COUNT(*) FROM wallpapers WHERE uploaded_by_id='cluster-device'")
        self.assertEqual(made, [("8",)])
        self.assertEqual(os.listdir(os.path.join(self.tmp, "uploads")), [])

    @unittest.skipUnless(NGINX, "nginx is not installed (Debian's nginx-light)")
    def test_nginx_serves_images_and_spreads_the_api(self):
        wp = self.json(self.nginx_port, "/api/wallpapers?limit=1")[0]
        res, body = self.get(self.nginx_port, "/images/" + wp["thumbnail_key"])
        direct, same = self.get(self.ports[0], "/images/" + wp["thumbnail_key"])
        self.assertEqual((res.status, body), (200, same))
        for header in ("Cache-Control", "Content-Type", "Last-Modified", "Accept-Ranges"):
            self.assertEqual(res.getheader(header), direct.getheader(header), header)
        self.assertEqual(self.get(self.nginx_port, "/images/" + wp["thumbnail_key"],
                                  headers={"If-None-Match": res.getheader("ETag")})[0].status, 304)
        res, body = self.get(self.nginx_port, "/images/wallpapers/none/thumb.jpg")
        self.assertEqual((res.status, json.loads(body)["data"]), (404, "not_found"))
        res, body = self.get(self.nginx_port, "/images/../catalogue.db")
        self.assertEqual(res.status, 404)
        url = self.json(self.nginx_port, f"/api/wallpapers/{wp['id']}/download")["url"]
        self.assertTrue(url.startswith(f"http://127.0.0.1:{self.nginx_port}/images/"), url)


if __name__ == "__main__":
    unittest.main()
