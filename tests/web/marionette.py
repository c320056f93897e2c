"""Firefox driven through Marionette, its own remote protocol, with no driver program between:
Debian has firefox-esr but no geckodriver. It offers the few calls the pages' suites make of a
Selenium driver (get, execute_script, execute_async_script, an element's click, quit), so a
suite written for Chromium plays the same pages in Firefox.

A message is its length in decimal, a colon and a JSON array: [0, id, command, parameters]
asked, [1, id, error, result] answered.
"""
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time

FIREFOX = '/usr/bin/firefox-esr'
# How Marionette marks an element in what a script returns, and wants it back.
ELEMENT = 'element-6066-11e4-a52e-4f735466cecf'


class Element:
    def __init__(self, driver, ref):
        self.driver, self.ref = driver, ref

    def click(self):
        self.driver.command('WebDriver:ElementClick', {'id': self.ref})


class Firefox:
    def __init__(self, width=1280, height=900):
        self.profile = tempfile.mkdtemp(prefix='kaz-firefox-')
        with open(os.path.join(self.profile, 'user.js'), 'w') as f:
            # Port 0: Firefox takes a free one and names it in the profile (MarionetteActivePort),
            # so that runs side by side do not meet.
            f.write('user_pref("marionette.port", 0);\n'
                    'user_pref("browser.shell.checkDefaultBrowser", false);\n'
                    'user_pref("datareporting.policy.dataSubmissionEnabled", false);\n')
        self.process = subprocess.Popen(
            [FIREFOX, '--headless', '--marionette', '--no-remote', '--profile', self.profile,
             '--width', str(width), '--height', str(height)],
            env=dict(os.environ, MOZ_HEADLESS='1'), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.socket = self._connect()
        self.stream = self.socket.makefile('rb')
        self._read()  # the server's greeting
        self.last = 0
        self.command('WebDriver:NewSession', {'capabilities': {'alwaysMatch': {'pageLoadStrategy': 'normal'}}})

    def _connect(self):
        port_file = os.path.join(self.profile, 'MarionetteActivePort')
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError('firefox-esr ended before it listened (status %d)' % self.process.returncode)
            try:
                with open(port_file) as f:
                    return socket.create_connection(('127.0.0.1', int(f.read().strip())))
            except (OSError, ValueError):
                time.sleep(0.2)
        self.quit()
        raise RuntimeError('firefox-esr did not listen for Marionette within 60 s')

    def _read(self):
        size = b''
        while True:
            c = self.stream.read(1)
            if not c:
                raise RuntimeError('Firefox closed the connection')
            if c == b':':
                break
            size += c
        return json.loads(self.stream.read(int(size)))

    def command(self, name, parameters=None):
        self.last += 1
        message = json.dumps([0, self.last, name, parameters or {}]).encode()
        self.socket.sendall(str(len(message)).encode() + b':' + message)
        while True:
            kind, number, error, result = self._read()
            if kind == 1 and number == self.last:
                break
        if error:
            raise RuntimeError('%s: %s: %s' % (name, error.get('error'), error.get('message')))
        return result

    def _unwrap(self, value):
        if isinstance(value, dict):
            if ELEMENT in value:
                return Element(self, value[ELEMENT])
            return {k: self._unwrap(v) for k, v in value.items()}
        if isinstance(value, list):
            return [self._unwrap(v) for v in value]
        return value

    def get(self, url):
        self.command('WebDriver:Navigate', {'url': url})

    def execute_script(self, script, *args):
        return self._unwrap(self.command('WebDriver:ExecuteScript', {'script': script, 'args': list(args)})['value'])

    def execute_async_script(self, script, *args):
        return self._unwrap(self.command('WebDriver:ExecuteAsyncScript',
                                         {'script': script, 'args': list(args)})['value'])

    def quit(self):
        try:
            if getattr(self, 'socket', None):
                self.command('WebDriver:DeleteSession')
                self.socket.close()
        except (OSError, RuntimeError):
            pass
        self.process.terminate()
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
