#!/usr/bin/env bash
# web/serve.sh SITE_DIR [PORT]
#
# Serves the built web edition (BUILD_DIR/web, laid out by assemble.sh) on 127.0.0.1:PORT
# (default 8080) through Debian's nginx, configured as a static host would be: the compressed
# copies assemble.sh made sent in the files' stead (gzip_static, and brotli_static where the
# module is installed), a year's cache lifetime for the files whose names carry their contents'
# hash (js/zn.HASH.js, zn.HASH.wasm), revalidation for every other file, application/wasm for
# the engine. The configuration is written into SITE_DIR/../web-server/nginx-PORT.conf and
# nginx runs in the foreground as the user who started it, until Ctrl+C (or SIGTERM).
set -euo pipefail

site=$(realpath "${1:?usage: serve.sh SITE_DIR [PORT]}")
port=${2:-8080}
[ -f "$site/index.html" ] || { echo "serve.sh: no built site in $site" >&2; exit 1; }
case "$port" in '' | *[!0-9]*) echo "serve.sh: the port must be a number, not '$port'" >&2; exit 2 ;; esac
nginx=$(command -v nginx || echo /usr/sbin/nginx)
[ -x "$nginx" ] || { echo "serve.sh: nginx is missing (apt-get install nginx-light)" >&2; exit 1; }

dir=$(dirname "$site")/web-server
mkdir -p "$dir/temp"
brotli_module=/usr/lib/nginx/modules/ngx_http_brotli_static_module.so
{
  [ -f "$brotli_module" ] && echo "load_module $brotli_module;"
  # Workers as the user who started it, also when that is root (nginx would take nobody).
  [ "$(id -u)" -eq 0 ] && echo "user $(id -un) $(id -gn);"
  cat <<EOF
worker_processes 1;
pid $dir/nginx-$port.pid;
error_log stderr warn;
events { worker_connections 256; }
http {
  include /etc/nginx/mime.types;
  types { application/manifest+json webmanifest; text/plain ini; }
  default_type application/octet-stream;
  charset_types text/plain text/css application/javascript application/json;
  access_log off;
  log_not_found off;
  client_body_temp_path $dir/temp/body;
  proxy_temp_path $dir/temp/proxy;
  fastcgi_temp_path $dir/temp/fastcgi;
  uwsgi_temp_path $dir/temp/uwsgi;
  scgi_temp_path $dir/temp/scgi;
  sendfile on;
  server_tokens off;
  server {
    listen 127.0.0.1:$port;
    root $site;
    index index.html;
    gzip_static on;
EOF
  [ -f "$brotli_module" ] && echo "    brotli_static on;"
  cat <<'EOF'
    location ~ "^/(js/zn\.[0-9a-f]{8}\.js|zn\.[0-9a-f]{8}\.wasm)$" {
      add_header Cache-Control "public, max-age=31536000, immutable";
    }
    location / {
      add_header Cache-Control "no-cache";
    }
  }
}
EOF
} > "$dir/nginx-$port.conf"
"$nginx" -t -q -e stderr -p "$dir" -c "$dir/nginx-$port.conf"
echo "Serving $site on http://127.0.0.1:$port/ (Ctrl+C stops)."
exec "$nginx" -e stderr -p "$dir" -c "$dir/nginx-$port.conf" -g 'daemon off;'
