// The run command on a machine without a display, as a user meets it: in a
// real web browser (Debian's Chromium, headless, driven through its DevTools
// protocol by puppeteer-core).
//   node navegador.js <work folder, with puppeteer-core in node_modules> <kalvenor_e2e.exe> <Kalvenor.exe>
// With KALVENOR_CAPTURA_NAVEGADOR set to a path, the page is saved there as a
// PNG once the program has translated.
'use strict';
const {spawn, spawnSync} = require('child_process');
const fs = require('fs');
const path = require('path');

const [carpeta, conductor, kalvenor] = process.argv.slice(2);
const puppeteer = require(path.join(carpeta, 'node_modules', 'puppeteer-core'));
const raiz = path.resolve(__dirname, '..', '..');
const datos = path.join(carpeta, 'datos');
const prefijo = path.join(datos, 'kalvenor', 'wineprefix');
const archivoSesion = path.join(carpeta, 'sesion');

// In the main window's design, in twips from its client area's top-left
// corner, 15 twips a pixel at 96 dpi: the client area, Text1 and Command1.
const kCliente = {ancho: 6480 / 15, alto: 4800 / 15};
const kText1 = {x: (90 + 6315 / 2) / 15, y: (495 + 1860 / 2) / 15};
const kCommand1 = {x: (4410 + 1995 / 2) / 15, y: (45 + 420 / 2) / 15};

const dormir = (ms) => new Promise((r) => setTimeout(r, ms));
// A time-out that does not keep node running once everything else is done.
const plazo = (ms, valor) => new Promise((r) => setTimeout(() => r(valor), ms).unref());
async function esperar(descripcion, condicion, limite = 120000) {
    for (const fin = Date.now() + limite; Date.now() < fin; await dormir(250)) {
        const valor = await condicion();
        if (valor) return valor;
    }
    throw new Error(`no llegó a pasar: ${descripcion}`);
}

// What the run command writes for programs once the page answers
// (direccion=..., pantalla=...); null before that.
function leerSesion() {
    let texto;
    try { texto = fs.readFileSync(archivoSesion, 'utf8'); } catch { return null; }
    return Object.fromEntries(texto.split('\n').filter(Boolean).map((linea) => {
        const igual = linea.indexOf('=');
        return [linea.slice(0, igual), linea.slice(igual + 1)];
    }));
}

// The run command's processes: its descendants (the display, the web server)
// and every process of its Wine prefix (Wine starts its server and services
// detached from whoever started them).
function procesosDeLaOrden(pid) {
    const padres = new Map();
    const suyos = new Set([pid]);
    for (const p of fs.readdirSync('/proc').filter((n) => /^\d+$/.test(n)).map(Number)) {
        try {
            padres.set(p, Number(fs.readFileSync(`/proc/${p}/stat`, 'utf8').replace(/^.*\) \S+ /s, '').split(' ')[0]));
            if (fs.readFileSync(`/proc/${p}/environ`, 'latin1').split('\0').includes(`WINEPREFIX=${prefijo}`)) suyos.add(p);
        } catch {}  // gone meanwhile
    }
    for (let n = 0; n !== suyos.size;) {
        n = suyos.size;
        for (const [p, padre] of padres) if (suyos.has(padre)) suyos.add(p);
    }
    return suyos;
}

// Listening TCP and UDP sockets: [{direccion, puerto, pids}].
function escuchas() {
    return spawnSync('ss', ['-Hltunp'], {encoding: 'utf8'}).stdout.split('\n').filter(Boolean).map((linea) => {
        const local = linea.trim().split(/\s+/)[4];
        return {
            direccion: local.slice(0, local.lastIndexOf(':')),
            puerto: local.slice(local.lastIndexOf(':') + 1),
            pids: [...linea.matchAll(/pid=(\d+)/g)].map((m) => Number(m[1])),
        };
    });
}

// The rectangle of the canvas's pixels in the main window's background colour.
async function rosa(pagina) {
    return pagina.evaluate(() => {
        const lienzo = document.querySelector('#noVNC_container canvas');
        if (!lienzo || lienzo.width < 100) return null;
        const px = lienzo.getContext('2d').getImageData(0, 0, lienzo.width, lienzo.height).data;
        const r = {izquierda: Infinity, arriba: Infinity, derecha: -1, abajo: -1, ancho: lienzo.width, alto: lienzo.height};
        for (let i = 0; i < px.length; i += 4) {
            if (px[i] !== 255 || px[i + 1] !== 128 || px[i + 2] !== 128) continue;
            const x = (i / 4) % lienzo.width, y = Math.floor(i / 4 / lienzo.width);
            Object.assign(r, {izquierda: Math.min(r.izquierda, x), arriba: Math.min(r.arriba, y),
                              derecha: Math.max(r.derecha, x), abajo: Math.max(r.abajo, y)});
        }
        const caja = lienzo.getBoundingClientRect();
        return {...r, escala: caja.width / lienzo.width, x0: caja.left, y0: caja.top};
    });
}

async function main() {
    fs.rmSync(datos, {recursive: true, force: true});
    fs.rmSync(archivoSesion, {force: true});
    const entorno = {...process.env, XDG_DATA_HOME: datos, KALVENOR_EXE: kalvenor,
                     KALVENOR_ARCHIVO_SESION: archivoSesion};
    for (const v of ['DISPLAY', 'WINEPREFIX', 'KALVENOR_DIRECCION', 'KALVENOR_PUERTO', 'WINE_DESKTOP_SIZE']) delete entorno[v];
    const orden = spawn('bash', [path.join(raiz, 'scripts', 'run.sh')], {env: entorno, stdio: ['ignore', 'pipe', 'inherit']});
    let estado = null;
    orden.stdout.on('data', (d) => process.stdout.write(d));
    const fin = new Promise((r) => orden.on('exit', (codigo, senal) => r(estado = codigo ?? senal)));
    let navegador = null;
    try {
        const {direccion, pantalla} = await esperar('la dirección y la pantalla de la sesión', () => leerSesion() ||
            (estado !== null && Promise.reject(new Error(`la orden terminó (${estado}) sin dar la dirección`))), 600000);
        if (!/^http:\/\/127\.0\.0\.1:\d+\/vnc\.html\?\S*password=\S+$/.test(direccion) || !/^:\d+$/.test(pantalla))
            throw new Error(`la sesión no da una dirección y una pantalla válidas: ${direccion} ${pantalla}`);
        const puerto = new URL(direccion).port;

        navegador = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true, pipe: true,
                                            args: ['--no-sandbox']});
        const pagina = await navegador.newPage();
        await pagina.setViewport({width: 1366, height: 768});
        await pagina.goto(direccion);
        // The main window, whole, in the desktop's bottom-right corner, above
        // the taskbar along the bottom.
        const r = await esperar('la ventana principal abierta en el lienzo', async () => {
            const v = await rosa(pagina);
            return v && v.derecha - v.izquierda + 1 === kCliente.ancho && v.abajo - v.arriba + 1 === kCliente.alto && v;
        });
        if (r.derecha < r.ancho - 8 || r.abajo >= r.alto - 10 || r.abajo < r.alto - 60)
            throw new Error(`la ventana principal no está en la esquina sobre la barra: ${JSON.stringify(r)}`);

        const enPagina = (p) => [r.x0 + (r.izquierda + p.x) * r.escala, r.y0 + (r.arriba + p.y) * r.escala];
        await pagina.mouse.click(...enPagina(kText1));
        await pagina.keyboard.type('hola', {delay: 50});
        await pagina.mouse.click(...enPagina(kCommand1));
        const lectura = spawnSync('bash', ['-c', `
            source "${raiz}/scripts/wine-session.sh"
            wine_prefix_use "$0"
            informe="$(mktemp -d)/informe.xml"
            wine_desktop_run "$1" --gtest_also_run_disabled_tests --gtest_filter='DISABLED_EnElNavegador.*' \\
              "--gtest_output=xml:$(winepath -w "$informe")" >/dev/null 2>&1 || true
            wine_driver_passed "$informe" || { cat "$informe"; exit 1; }`, prefijo, conductor],
            {env: {...process.env, DISPLAY: pantalla, KALVENOR_CLAVE_ESPERADA: 'h078'}, encoding: 'utf8'});
        if (lectura.status !== 0) throw new Error(`la caja de clave no dice "h078":\n${lectura.stdout}${lectura.stderr}`);
        if (process.env.KALVENOR_CAPTURA_NAVEGADOR) await pagina.screenshot({path: process.env.KALVENOR_CAPTURA_NAVEGADOR});

        // Without the password the page asks for it and shows no desktop.
        const sinClave = await navegador.newPage();
        await sinClave.goto(direccion.replace(/&password=[^&]*/, ''));
        await sinClave.waitForSelector('#noVNC_credentials_dlg.noVNC_open', {timeout: 60000});
        const v = await rosa(sinClave);
        if (v && v.derecha >= 0) throw new Error('sin la contraseña se ve el escritorio');
        await sinClave.close();

        const procesos = procesosDeLaOrden(orden.pid);
        const suyas = escuchas().filter((e) => e.pids.some((p) => procesos.has(p)));
        const fuera = suyas.filter((e) => e.direccion !== '127.0.0.1');
        if (fuera.length || !suyas.some((e) => e.puerto === puerto))
            throw new Error(`escucha en: ${JSON.stringify(suyas)}`);

        // Salir: Archivo, on the menu bar just above the client area, and its
        // first item.
        await pagina.bringToFront();
        await pagina.mouse.click(...enPagina({x: 20, y: -10}));
        // Open, it covers the client area's top left corner, above Label2.
        await esperar('el menú Archivo abierto sobre la ventana', () => pagina.evaluate(([x, y]) => {
            const lienzo = document.querySelector('#noVNC_container canvas');
            const [rojo, verde, azul] = lienzo.getContext('2d').getImageData(x, y, 1, 1).data;
            return rojo !== 255 || verde !== 128 || azul !== 128;
        }, [r.izquierda + 20, r.arriba + 4]));
        await pagina.keyboard.press('ArrowDown');
        await pagina.keyboard.press('Enter');
        const codigo = await Promise.race([fin, plazo(120000, 'sin terminar')]);
        if (codigo !== 0) throw new Error(`la orden terminó con ${codigo} tras Salir`);
        // A zombie has ended; its entry waits for the reaper.
        const quedan = [...procesos, ...procesosDeLaOrden(orden.pid)].flatMap((p) => {
            try { return [fs.readFileSync(`/proc/${p}/stat`, 'utf8').match(/^\d+ \(.*\) [^Z]/s) || []].flat(); } catch { return []; }
        });
        const escuchando = escuchas().filter((e) => suyas.some((s) => s.puerto === e.puerto));
        if (quedan.length || escuchando.length)
            throw new Error(`quedan procesos ${quedan} o puertos ${JSON.stringify(escuchando)}`);
        console.log('bien: Kalvenor en el navegador, traducido con el ratón y el teclado de la página, y Salir lo cierra todo');
    } finally {
        if (navegador) await navegador.close();
        if (estado === null) {
            orden.kill('SIGINT');
            await Promise.race([fin, plazo(60000)]);
        }
    }
}

main().catch((e) => {
    console.error(`MAL: ${e.message}`);
    process.exit(1);
});
