#!/usr/bin/python3
"""The test page (kaz-FOLDER.html) in headless Chromium: what the learner sees and does.

    test_page.py PAGE.html [--quiz FOLDER/test.kaz] [--large LARGE.html] [unittest options]

The page is opened from its file, as a learner opens it. The quiz it carries is read from
its source (by default quizzes/istoriya/test.kaz beside this script's tree) for the phrases
and the key: left phrase k goes with right phrase k. LARGE.html, where given, carries a
test whose lists hold thousands of phrases. Debian's python3-selenium,
chromium and chromium-driver.
"""
import argparse
import os
import re
import shutil
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

PAGE = None
QUIZ = None
LARGE = None

DAMAGED = 'Тази страница е повредена: тестът в нея е променен или непълен. Поискайте я отново от учителя.'
CAPTIONS = ['Избрах', 'Върни', 'Оцени', 'Обясни']
TOOLTIPS = ['Натиснете бутон за избор', 'Изтрива / възстановява направения избор',
            'Преустановява теста и формира оценка', 'Дава обяснения']


def read_quiz(path):
    """The sections of a test.kaz: name -> lines, trailing empty lines dropped."""
    sections, current = {}, None
    with open(path, encoding='utf-8') as f:
        for line in f.read().split('\n'):
            if line.startswith('#'):
                continue
            m = re.match(r'^\[(.*)\]$', line)
            if m:
                current = sections.setdefault(m.group(1), [])
            elif current is not None:
                current.append(line)
    for lines in sections.values():
        while lines and lines[-1] == '':
            lines.pop()
    return sections


def browser(width=1280, height=800, mobile=False, language=None):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    if language:
        # The browser's own language, as a learner's system sets it.
        options.add_argument('--lang=' + language)
        options.add_experimental_option('prefs', {'intl.accept_languages': language})
    for a in ('--headless=new', '--no-sandbox', '--disable-gpu', '--window-size=%d,%d' % (width, height)):
        options.add_argument(a)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL', 'performance': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': width, 'height': height, 'deviceScaleFactor': 3 if mobile else 1, 'mobile': mobile})
    if mobile:
        driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
    return driver


class PageCase(unittest.TestCase):
    """One browser for a group of cases; each case opens the page afresh."""
    size = (1280, 800, False)

    language = None

    @classmethod
    def setUpClass(cls):
        cls.driver = browser(*cls.size, language=cls.language)
        sections = read_quiz(QUIZ)
        cls.left, cls.right = sections['left'], sections['right']
        cls.caption = sections['parameters'][0]
        cls.geometry = [float(x) for x in sections['parameters'][1:6]]
        cls.instructions = sections['instructions']

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def open(self, path=None):
        self.driver.get('file://' + os.path.abspath(path or PAGE))
        return self.driver.execute_async_script(
            'const done = arguments[0]; window.kaz.ready.then(done, (e) => done("error " + e));')

    def setUp(self):
        self.assertEqual(self.open(), 'ok')

    # What the page shows
    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def rows(self, i):
        """All rows of a list, of which it draws those in view."""
        return self.js('return window.kaz.rows(%d)' % i)

    def drawn(self, i):
        """The list's drawn options: [text, aria-posinset, aria-setsize, aria-selected]."""
        return self.js('return Array.from(document.querySelectorAll("#slowo%d > [role=option]"), r =>'
                       ' [r.textContent, Number(r.getAttribute("aria-posinset")), Number(r.getAttribute("aria-setsize")),'
                       ' r.getAttribute("aria-selected") === "true"])' % i)

    def selected(self, i):
        """The selected row, once the drawn options are checked against all rows: each is the row
        its place says, in order, knows the list's length, and is selected only if that row is."""
        row = self.js('return window.kaz.selected(%d)' % i)
        rows, drawn = self.rows(i), self.drawn(i)
        self.assertEqual([d[1] for d in drawn], list(range(drawn[0][1], drawn[0][1] + len(drawn))) if drawn else [])
        for text, pos, size, selected in drawn:
            self.assertEqual((text, size, selected), (rows[pos - 1], len(rows), pos - 1 == row), drawn)
        return row

    def counter(self):
        return self.js('return document.getElementById("ndapis").textContent')

    def verdict(self):
        return self.js('const v = document.getElementById("prowerka1");'
                       'return v.hidden ? null : [v.textContent, getComputedStyle(v).backgroundColor]')

    def enabled(self):
        return [not self.driver.find_element(By.ID, 'uprawl%d' % i).get_attribute('disabled') for i in range(4)]

    def row(self, i, text):
        """The drawn option of a phrase, the list scrolled to it."""
        return self.js('return window.kaz.option(%d, %d)' % (i, self.rows(i).index(text)))

    def focused(self):
        return self.js('return document.activeElement.id')

    # The learner's hands
    def click_row(self, i, text):
        self.row(i, text).click()

    def press(self, i):
        self.driver.find_element(By.ID, 'uprawl%d' % i).click()

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def tap(self, element):
        x, y = self.js('const r = arguments[0].getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]',
                       element)
        point = {'x': x, 'y': y, 'id': 1}
        self.driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchStart', 'touchPoints': [point]})
        self.driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})
        time.sleep(0.1)

    def partner(self, left):
        return self.right[self.left.index(left)]

    def pair_all_by_mouse(self, wrong):
        """Pairs every left phrase with its partner, but swaps the partners of `wrong` (two)."""
        partners = {l: self.partner(l) for l in self.left[:len(self.right)]}
        a, b = wrong
        partners[a], partners[b] = partners[b], partners[a]
        for n, (l, r) in enumerate(sorted(partners.items())):
            self.click_row(0, l)
            self.click_row(1, r)
            self.press(0)
            self.assertEqual(self.rows(2)[-1], l + ' ' + r)
            self.assertEqual(self.counter(), 'Остават: %d' % min(len(self.left) - n - 1, len(self.right) - n - 1))
        return partners


class Start(PageCase):
    def test_window_at_start(self):
        self.assertEqual(self.rows(0), sorted(self.left))
        self.assertEqual(self.rows(1), sorted(self.right))
        self.assertEqual(self.rows(2), [])
        self.assertEqual([self.selected(i) for i in range(3)], [0, 0, -1])
        self.assertEqual(self.counter(), 'Оставащи:')
        self.assertEqual(self.enabled(), [True, True, False, True])
        self.assertEqual([self.driver.find_element(By.ID, 'uprawl%d' % i).text for i in range(4)], CAPTIONS)
        self.assertEqual(self.driver.title, self.caption)
        self.assertEqual(self.js('return document.getElementById("caption").textContent'), self.caption)
        text = self.js('return document.getElementById("prowerka0").value')
        self.assertEqual(text.rstrip('\n').split('\n'), self.instructions)
        self.assertIsNone(self.verdict())
        self.assertEqual(self.js('const s = getComputedStyle(document.getElementById("client"));'
                                 'return [s.backgroundColor, s.fontSize]'), ['rgb(0, 128, 0)', '16px'])

    def test_places_from_the_layout_in_twips(self):
        def box(id):
            return self.js('const c = document.getElementById("client").getBoundingClientRect();'
                           'const r = document.getElementById(arguments[0]).getBoundingClientRect();'
                           'return [r.left - c.left, r.top - c.top, r.width, r.height]', id)
        def px(twips):
            return int(twips / 15 + 0.5)
        width, l0, w0, l1, w1 = self.geometry
        self.assertEqual(box('client')[2:], [px(width - 120), px(7005)])
        self.assertEqual(box('slowo0'), [px(l0), 32, px(w0), 137])
        self.assertEqual(box('slowo1'), [px(l1), 32, px(w1), 137])
        self.assertEqual(box('slowo2'), [56, 176, 625, 99])
        self.assertEqual(box('uprawl2'), [560, 280, 81, 25])
        self.assertEqual(box('uprawl3'), [648, 3, 81, 25])
        self.assertEqual(box('ndapis'), [296, 0, 97, 25])
        self.assertEqual(box('prowerka0'), [120, 312, 609, 137])
        self.assertEqual(box('grafika0'), [8, 312, 105, 89])

    def wrongly_cut(self):
        """The drawn rows whose tooltip and description do not tell whether the row is cut."""
        return self.js('return Array.from(document.querySelectorAll("[role=option]")).filter(r =>'
                       ' (r.scrollWidth > r.clientWidth) !== (r.title === r.textContent'
                       ' && r.getAttribute("aria-description") === r.textContent)).map(r => r.textContent)')

    def test_rows_cut_short_carry_their_whole_phrase(self):
        # Every row the list's width cuts has its phrase as tooltip and description; no other
        # has, also among the rows drawn anew as a list scrolls to its end.
        self.assertEqual(self.wrongly_cut(), [])
        for i in range(2):
            self.driver.find_element(By.ID, 'slowo%d' % i).send_keys(Keys.END)
        self.assertEqual(self.wrongly_cut(), [])


class Mouse(PageCase):
    def test_pairing_grading_and_walking_the_pairs(self):
        wrong = sorted(self.left[:len(self.right)])[1:3]
        partners = self.pair_all_by_mouse(wrong)
        self.assertEqual(self.rows(0), [l for l in self.left if l not in partners])
        self.assertTrue(self.enabled()[2])
        self.press(2)
        n = min(len(self.left), len(self.right))
        right = sum(1 for l, r in partners.items() if self.partner(l) == r)
        self.assertEqual(self.counter(), 'Верни: %d%%' % int(right * 100 / n + 0.5))
        self.assertEqual(self.enabled(), [False, False, False, True])
        self.assertEqual(self.selected(2), 0)
        for k, text in enumerate(self.rows(2)):
            self.click_row(2, text)
            self.assertEqual(self.selected(2), k)
            l = next(l for l in partners if text == l + ' ' + partners[l])
            good = self.partner(l) == partners[l]
            self.assertEqual(self.verdict(), ['ДА', 'rgb(0, 255, 0)'] if good else ['НЕ', 'rgb(255, 0, 0)'])

    def test_taking_a_pair_back_and_edits_row_by_row(self):
        l, r = sorted(self.left)[3], sorted(self.right)[5]
        self.click_row(0, l)
        self.click_row(1, r)
        self.press(0)
        self.assertEqual(self.rows(2), [l + ' ' + r])
        # The rows drawn are the rows after the edit, each at its new place.
        self.assertEqual([self.selected(i) for i in range(3)], [-1, -1, -1])
        self.assertNotIn(l, [d[0] for d in self.drawn(0)])
        self.click_row(2, l + ' ' + r)
        self.press(1)
        self.assertEqual(self.rows(0), sorted(self.left))
        self.assertEqual(self.rows(1), sorted(self.right))
        self.assertEqual(self.rows(2), [])

    def test_exit_and_start_again(self):
        self.driver.find_element(By.ID, 'menu-izhod').click()
        self.assertFalse(self.driver.find_element(By.ID, 'kaz').is_displayed())
        ended = self.driver.find_element(By.ID, 'ended')
        self.assertTrue(ended.is_displayed())
        self.assertIn('Тестът приключи', ended.text)
        self.driver.find_element(By.ID, 'restart').click()
        self.assertEqual(self.driver.execute_async_script(
            'const done = arguments[0]; window.kaz.ready.then(done);'), 'ok')
        self.assertEqual(self.rows(0), sorted(self.left))

    def test_picture_of_a_question(self):
        thumbnail = self.js('return !document.querySelector("#grafika0 img").hidden')
        if not thumbnail:
            self.skipTest('the first question of this quiz has no picture')
        self.assertTrue(self.js('return document.querySelector("#grafika0 img").src.startsWith("blob:")'))
        self.driver.find_element(By.ID, 'grafika0').click()
        window = self.driver.find_element(By.ID, 'graphika')
        self.assertTrue(window.is_displayed())
        self.assertTrue(self.js('const i = document.querySelector("#graphika img");'
                                'return i.complete && i.naturalWidth > 0'))
        # Moved by its title bar; shown again by the thumbnail, it stays where it was put.
        at = window.location
        ActionChains(self.driver).drag_and_drop_by_offset(
            window.find_element(By.ID, 'graphika-caption'), -40, 30).perform()
        self.assertEqual((window.location['x'], window.location['y']), (at['x'] - 40, at['y'] + 30))
        self.driver.find_element(By.ID, 'grafika0').click()
        self.assertEqual((window.location['x'], window.location['y']), (at['x'] - 40, at['y'] + 30))
        window.find_element(By.CSS_SELECTOR, '.close').click()
        self.assertFalse(window.is_displayed())


class Keyboard(PageCase):
    def test_tab_order(self):
        self.js('document.activeElement.blur()')
        order = []
        for _ in range(8):
            self.keys(Keys.TAB)
            order.append(self.focused())
        # "Оцени" is disabled and the verdict box hidden: both are passed over.
        self.assertEqual(order, ['slowo0', 'slowo1', 'slowo2', 'uprawl0', 'uprawl1', 'prowerka0', 'uprawl3', 'grafika0'])

    def test_moving_and_typing_in_a_list(self):
        rows = self.rows(0)
        self.driver.find_element(By.ID, 'slowo0').send_keys(Keys.DOWN)
        self.assertEqual(self.selected(0), 1)
        self.keys(Keys.END)
        self.assertEqual(self.selected(0), len(rows) - 1)
        self.keys(Keys.HOME)
        self.assertEqual(self.selected(0), 0)
        self.keys(Keys.PAGE_DOWN)
        page = self.selected(0)
        self.assertGreater(page, 2)
        self.keys(Keys.PAGE_UP)
        self.assertEqual(self.selected(0), 0)
        # The start of a phrase, any case, typed at once; the letter most phrases start with.
        firsts = [r[0].lower() for r in rows]
        letter = max(set(firsts), key=firsts.count)
        group = [k for k, f in enumerate(firsts) if f == letter]
        self.assertGreater(len(group), 2)
        last = rows[group[-1]].lower()
        self.keys(last[:3])
        self.assertEqual(self.selected(0), min(k for k, r in enumerate(rows) if r.lower().startswith(last[:3])))
        # After a pause the letter starts a new search after the selected row, round the end.
        time.sleep(1.2)
        self.keys(letter)
        self.assertEqual(self.selected(0), group[0])
        # The same letter again, at once, goes on to the next phrase with it.
        self.keys(letter)
        self.assertEqual(self.selected(0), group[1])

    def test_the_rows_drawn_follow_the_keys_and_the_scrolling(self):
        rows = self.rows(0)
        drawn = self.drawn(0)
        # Only the rows in view and a margin are drawn (a few rows, all of them), from the
        # first, the first selected.
        few = len(rows) <= 16
        if few:
            self.assertEqual(len(drawn), len(rows))
        self.assertLessEqual(len(drawn), 20)
        self.assertEqual(drawn[:3], [[rows[0], 1, len(rows), True], [rows[1], 2, len(rows), False],
                                     [rows[2], 3, len(rows), False]])
        self.driver.find_element(By.ID, 'slowo0').send_keys(Keys.END)
        drawn = self.drawn(0)
        self.assertEqual(drawn[-1], [rows[-1], len(rows), len(rows), True])
        if not few:
            self.assertNotIn(rows[0], [d[0] for d in drawn])
        # The last row shows whole, at the list's bottom, and is its active descendant.
        box = self.js('const l = document.getElementById("slowo0"); const r = document.getElementById("slowo0-current");'
                      'return [l.getAttribute("aria-activedescendant"), r.textContent,'
                      ' r.getBoundingClientRect().bottom, l.getBoundingClientRect().top + l.clientTop + l.clientHeight]')
        self.assertEqual(box[:2], ['slowo0-current', rows[-1]])
        self.assertAlmostEqual(box[2], box[3], delta=1)
        self.assertEqual(self.selected(0), len(rows) - 1)
        # Scrolled by the learner (a wheel, a finger), the rows come into view drawn; the
        # selected row is the active descendant only while it is drawn.
        self.js('document.getElementById("slowo0").scrollTop = 0')
        time.sleep(0.2)
        drawn = self.drawn(0)
        self.assertEqual(drawn[0], [rows[0], 1, len(rows), False])
        active = self.js('return document.getElementById("slowo0").getAttribute("aria-activedescendant")')
        self.assertEqual(active, 'slowo0-current' if rows[-1] in [d[0] for d in drawn] else None)
        # A row drawn is chosen by the mouse; one typed for is found among all rows.
        self.click_row(0, rows[2])
        self.assertEqual(self.selected(0), 2)
        typed = rows[-1].split(' ')[0][:12]
        self.keys(typed)
        self.assertEqual(self.selected(0), min(k for k, r in enumerate(rows) if r.lower().startswith(typed.lower())))

    def test_pairing_and_grading_by_keys(self):
        self.driver.find_element(By.ID, 'slowo0').send_keys(Keys.END)
        self.keys(Keys.TAB, Keys.END, Keys.TAB, Keys.TAB)
        self.assertEqual(self.focused(), 'uprawl0')
        l, r = self.rows(0)[-1], self.rows(1)[-1]
        self.keys(Keys.SPACE)
        self.assertEqual(self.rows(2), [l + ' ' + r])
        # The rest, by Enter on "Избрах" after choosing with the keys.
        while self.rows(0) and self.rows(1):
            self.driver.find_element(By.ID, 'slowo0').send_keys(Keys.HOME)
            self.driver.find_element(By.ID, 'slowo1').send_keys(Keys.HOME)
            self.driver.find_element(By.ID, 'uprawl0').send_keys(Keys.ENTER)
        self.assertTrue(self.enabled()[2])
        self.driver.find_element(By.ID, 'uprawl2').send_keys(Keys.ENTER)
        self.assertTrue(self.counter().startswith('Верни: '))
        # "Оцени", disabled under the focus, hands it to the verdict box, now shown.
        self.assertEqual(self.focused(), 'prowerka1')
        self.assertIsNotNone(self.verdict())
        self.driver.find_element(By.ID, 'slowo2').send_keys(Keys.DOWN)
        self.assertEqual(self.selected(2), 1)

    def test_menu_bar_by_keys(self):
        self.driver.find_element(By.ID, 'slowo1').send_keys(Keys.DOWN)
        self.keys(Keys.F10)
        self.assertEqual(self.focused(), 'menu-izhod')
        self.keys(Keys.ARROW_RIGHT)
        self.assertEqual(self.focused(), 'menu-cwqt')
        self.keys(Keys.ESCAPE)
        self.assertEqual(self.focused(), 'slowo1')
        self.keys(Keys.ALT)  # pressed and released alone
        self.assertEqual(self.focused(), 'menu-izhod')
        self.keys(Keys.ARROW_LEFT)
        self.assertEqual(self.focused(), 'menu-cwqt')
        self.keys(Keys.ARROW_LEFT, Keys.ENTER)
        self.assertTrue(self.driver.find_element(By.ID, 'ended').is_displayed())


class Phone(PageCase):
    size = (390, 844, True)

    def test_window_fits_the_width(self):
        self.assertLessEqual(self.js('return document.documentElement.scrollWidth'), 390)
        right = self.js('return document.getElementById("kaz").getBoundingClientRect().right')
        self.assertLessEqual(right, 390.5)
        self.assertGreater(right, 380)
        self.js('window.scrollTo(500, 0)')
        self.assertEqual(self.js('return window.scrollX'), 0)

    def test_twice_the_zoom_loses_nothing(self):
        # A 1280 pixel screen at 200 %: 640 CSS pixels across, 400 down.
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                                    {'width': 640, 'height': 400, 'deviceScaleFactor': 2, 'mobile': False})
        self.addCleanup(self.driver.execute_cdp_cmd, 'Emulation.setDeviceMetricsOverride',
                        {'width': 390, 'height': 844, 'deviceScaleFactor': 3, 'mobile': True})
        time.sleep(0.2)
        box = self.js('const r = document.getElementById("kaz").getBoundingClientRect();'
                      'return [r.left, r.right, r.bottom + window.scrollY, document.documentElement.scrollWidth,'
                      ' document.documentElement.scrollHeight]')
        self.assertGreaterEqual(box[0], 0)
        self.assertLessEqual(box[1], 640.5)
        self.assertGreater(box[1], 630)  # scaled to the width, not below it
        self.assertLessEqual(box[3], 640)
        self.assertGreaterEqual(box[4], box[2])  # the page scrolls down to the window's bottom

    def test_pairing_by_touch(self):
        l, r = sorted(self.left)[2], sorted(self.right)[4]
        self.js('arguments[0].scrollIntoView({block: "nearest"})', self.row(0, l))
        self.tap(self.row(0, l))
        self.assertEqual(self.selected(0), 2)
        self.js('arguments[0].scrollIntoView({block: "nearest"})', self.row(1, r))
        self.tap(self.row(1, r))
        self.assertEqual(self.selected(1), 4)
        self.tap(self.driver.find_element(By.ID, 'uprawl0'))
        self.assertEqual(self.rows(2), [l + ' ' + r])

    def test_pointer_actions_of_type_touch(self):
        l = sorted(self.left)[1]
        finger = PointerInput(interaction.POINTER_TOUCH, 'finger')
        actions = ActionBuilder(self.driver, mouse=finger)
        actions.pointer_action.move_to(self.row(0, l)).pointer_down().pointer_up()
        actions.perform()
        self.assertEqual(self.selected(0), 1)


def rgb(r, g, b):
    return 'rgb(%d, %d, %d)' % (r, g, b)


def parts(css):
    """'rgb(r, g, b)' -> [r, g, b]."""
    return [int(x) for x in re.findall(r'\d+', css)[:3]]


class Appearance(PageCase):
    """The appearance dialog, which the menu's "Color" opens."""
    CAPTION = 'Формиране на цвят/избор на шрифт'

    def open_dialog(self):
        self.driver.find_element(By.ID, 'menu-cwqt').click()
        dialog = self.driver.find_element(By.ID, 'cwiat')
        self.assertTrue(dialog.is_displayed())
        return dialog

    def shown(self):
        return self.driver.find_element(By.ID, 'cwiat').is_displayed()

    def text(self, id):
        return self.js('return document.getElementById(arguments[0]).textContent', id)

    def style(self, id, prop):
        return self.js('return getComputedStyle(document.getElementById(arguments[0]))[arguments[1]]', id, prop)

    def sliders(self):
        return self.js('return [0, 1, 2].map(i => document.getElementById("slider" + i).valueAsNumber)')

    def option(self):
        return self.js('return [0, 1, 2, 3].findIndex(i => document.getElementById("option" + i).checked)')

    def size_rows(self):
        return self.js('return Array.from(document.querySelectorAll("#list-font1 > [role=option]"), r => r.textContent)')

    def size_selected(self):
        return self.js('return Array.prototype.findIndex.call(document.querySelectorAll("#list-font1 > [role=option]"),'
                       ' r => r.getAttribute("aria-selected") === "true")')

    def window_looks(self):
        return self.js('const s = id => getComputedStyle(document.getElementById(id));'
                       'return [s("client").backgroundColor].concat(["slowo0", "slowo1", "slowo2", "prowerka0"].map(id =>'
                       ' [s(id).backgroundColor, s(id).color, s(id).fontSize, s(id).fontFamily]))')

    def check_composed(self, option):
        """The sliders' colour shows on the swatch, as a number, beside the sliders and where `option` puts it."""
        r, g, b = self.sliders()
        self.assertEqual([self.text('label-st%d' % i) for i in range(3)], [str(r), str(g), str(b)])
        self.assertEqual(self.style('piccolor', 'backgroundColor'), rgb(r, g, b))
        self.assertEqual(self.text('label-cv3'), 'Цвят в 10/16-тичен код = %d /H%X' % (r + 256 * g + 65536 * b,
                                                                                       r + 256 * g + 65536 * b))
        box = self.js('return getComputedStyle(document.getElementById("option%d").parentNode).backgroundColor' % option)
        self.assertEqual(box, rgb(r, g, b))
        where = {0: ('cwiat-client', 'backgroundColor'), 1: ('text-cv0', 'backgroundColor'), 2: ('text-cv0', 'color')}
        self.assertEqual(self.style(*where[option]), rgb(r, g, b))
        return r, g, b

    def test_colour_opens_the_dialog_with_its_controls(self):
        dialog = self.open_dialog()
        self.assertEqual(self.text('cwiat-caption'), self.CAPTION)
        self.assertEqual([self.text('mnu-zapis'), self.text('mnu-otkaz')], ['Запис', 'Отказ'])
        self.assertEqual([self.text('label-cv%d' % i) for i in (0, 1, 2, 4, 5, 6, 7)],
                         ['Ч', 'З', 'С', 'Размер  шрифт', 'Цвят форма', 'Фон текст', 'Цвят текст'])
        # The button colour's label and option are not offered.
        self.assertFalse(self.driver.find_element(By.ID, 'label-cv8').is_displayed())
        self.assertFalse(self.driver.find_element(By.ID, 'option3').is_displayed())
        self.assertEqual(self.js('return [0, 1, 2].map(i => { const s = document.getElementById("slider" + i);'
                                 ' return [s.type, s.min, s.max, s.step]; })'), [['range', '0', '255', '1']] * 3)
        self.assertEqual(self.option(), 0)
        self.assertEqual(self.size_rows(), [str(n) for n in range(8, 15)])
        # The size selected is the window's: the sample and the lists have it.
        size = int(self.size_rows()[self.size_selected()])
        self.assertAlmostEqual(float(self.style('text-cv0', 'fontSize')[:-2]), size * 96 / 72, places=2)
        self.assertEqual(self.style('text-cv0', 'fontSize'), self.style('slowo0', 'fontSize'))
        self.assertEqual(self.js('return document.getElementById("text-cv0").value'), 'Шрифт')
        self.assertEqual(self.focused(), 'slider0')

        def box(id):
            return self.js('const c = document.getElementById("cwiat-client").getBoundingClientRect();'
                           'const r = document.getElementById(arguments[0]).getBoundingClientRect();'
                           'return [r.left - c.left, r.top - c.top, r.width, r.height]', id)
        self.assertEqual(box('cwiat-client')[2:], [369, 314])
        self.assertEqual(box('piccolor'), [16, 8, 337, 61])
        self.assertEqual(box('slider1'), [29, 136, 200, 21])
        self.assertEqual(box('label-st2'), [229, 168, 21, 21])
        self.assertEqual(box('list-font1'), [256, 256, 57, 49])
        self.assertEqual(box('text-cv0'), [40, 280, 177, 27])
        # Over the test window, whole on the screen.
        d, w = (self.js('return arguments[0].getBoundingClientRect().toJSON()', e)
                for e in (dialog, self.driver.find_element(By.ID, 'kaz')))
        self.assertTrue(w['left'] < d['left'] and d['right'] < w['right'] and w['top'] < d['top'] and d['bottom'] < 800)

        # "Color" again: the same dialog, where it was, takes the focus back from the window.
        self.click_row(0, sorted(self.left)[3])
        self.assertEqual(self.focused(), 'slowo0')
        at = dialog.location
        self.open_dialog()
        self.assertEqual(dialog.location, at)
        self.assertEqual(self.focused(), 'slider0')
        self.assertEqual(self.js('return document.querySelectorAll("[role=dialog]:not([hidden])").length'), 1)

    def test_sliders_by_keys(self):
        self.open_dialog()
        self.keys(Keys.HOME, Keys.PAGE_UP, Keys.PAGE_UP, Keys.ARROW_RIGHT, Keys.ARROW_LEFT, Keys.ARROW_LEFT)
        self.assertEqual(self.sliders()[0], 19)
        self.check_composed(0)
        self.keys(Keys.TAB, Keys.END, Keys.PAGE_DOWN, Keys.ARROW_UP, Keys.ARROW_DOWN, Keys.ARROW_DOWN)
        self.assertEqual(self.focused(), 'slider1')
        self.keys(Keys.TAB, Keys.HOME, Keys.PAGE_DOWN, Keys.ARROW_UP, Keys.ARROW_UP, Keys.ARROW_UP)
        self.assertEqual(self.focused(), 'slider2')
        self.assertEqual(self.check_composed(0), (19, 244, 3))
        # At an end a key leaves the value there.
        self.keys(Keys.END, Keys.ARROW_RIGHT, Keys.PAGE_UP)
        self.assertEqual(self.sliders()[2], 255)
        self.check_composed(0)
        # A drag's steps reach the engine too (the input events of a range).
        self.js('const s = document.getElementById("slider0"); s.value = 77;'
                's.dispatchEvent(new Event("input", {bubbles: true}))')
        self.assertEqual(self.check_composed(0), (77, 244, 255))

    def test_choosing_an_option_and_a_size(self):
        self.open_dialog()
        background = parts(self.style('text-cv0', 'backgroundColor'))
        foreground = parts(self.style('text-cv0', 'color'))
        form = self.style('cwiat-client', 'backgroundColor')
        # "Фон текст": the sliders take the text boxes' background, and move it.
        self.driver.find_element(By.ID, 'option1').click()
        self.assertEqual(self.option(), 1)
        self.assertEqual(self.sliders(), background)
        self.driver.find_element(By.ID, 'slider0').send_keys(Keys.HOME)
        self.assertEqual(self.check_composed(1), (0, background[1], background[2]))
        self.assertEqual(self.style('cwiat-client', 'backgroundColor'), form)
        # "Цвят текст" by an arrow key from the chosen option.
        self.driver.find_element(By.ID, 'option1').send_keys(Keys.ARROW_DOWN)
        self.assertEqual(self.option(), 2)
        self.assertEqual(self.focused(), 'option2')
        self.assertEqual(self.sliders(), foreground)
        self.driver.find_element(By.ID, 'slider2').send_keys(Keys.END)
        self.check_composed(2)
        # A size by the mouse, then by the keys; the sample shows it.
        self.driver.find_element(By.CSS_SELECTOR, '#list-font1 > :nth-child(7)').click()
        self.assertEqual(self.size_selected(), 6)
        self.assertEqual(self.style('text-cv0', 'fontSize'), '%gpx' % (14 * 96 / 72))
        self.keys(Keys.HOME)
        self.assertEqual(self.size_selected(), 0)
        self.keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN)
        self.assertEqual(self.size_selected(), 2)
        self.assertEqual(self.style('text-cv0', 'fontSize'), '%gpx' % (10 * 96 / 72))
        self.assertEqual(self.focused(), 'list-font1')

    def test_zapis_gives_the_window_its_new_looks(self):
        self.open_dialog()
        self.keys(Keys.HOME, Keys.PAGE_UP, Keys.TAB, Keys.HOME, Keys.PAGE_UP, Keys.PAGE_UP, Keys.TAB, Keys.END)
        form = self.check_composed(0)
        self.driver.find_element(By.ID, 'option1').click()
        self.driver.find_element(By.ID, 'slider1').send_keys(Keys.HOME)
        text_background = self.check_composed(1)
        self.driver.find_element(By.CSS_SELECTOR, '#list-font1 > :nth-child(7)').click()
        self.driver.find_element(By.ID, 'mnu-zapis').click()
        self.assertFalse(self.shown())
        self.assertEqual(self.js('return window.kaz.lastUpdate.dialog'), {'open': False})
        looks = self.window_looks()
        self.assertEqual(looks[0], rgb(*form))
        for background, _, size, _ in looks[1:]:
            self.assertEqual(background, rgb(*text_background))
            self.assertEqual(size, '%gpx' % (14 * 96 / 72))
        # The focus is back in the window, and the next opening starts from what was saved.
        self.assertIn(self.focused(), ['slowo0', 'slowo1', 'slowo2', 'uprawl0', 'uprawl1', 'prowerka0', 'uprawl3', 'grafika0'])
        self.open_dialog()
        self.assertEqual(self.option(), 0)
        self.assertEqual(self.sliders(), list(form))
        self.assertEqual(self.size_rows()[self.size_selected()], '14')

    def test_otkaz_and_escape_leave_the_window_as_it_was(self):
        before = self.window_looks()
        self.click_row(1, sorted(self.right)[2])
        self.open_dialog()
        self.keys(Keys.HOME, Keys.TAB, Keys.END)
        self.driver.find_element(By.CSS_SELECTOR, '#list-font1 > :nth-child(1)').click()
        self.driver.find_element(By.ID, 'mnu-otkaz').click()
        self.assertFalse(self.shown())
        self.assertEqual(self.window_looks(), before)
        self.assertEqual(self.focused(), 'slowo1')  # the control the learner was in
        # By the keys: "Color" from the menu bar, Esc, and the focus back where it was.
        self.driver.find_element(By.ID, 'slowo1').send_keys(Keys.HOME, Keys.DOWN)
        self.keys(Keys.F10, Keys.ARROW_RIGHT, Keys.ENTER)
        self.assertTrue(self.shown())
        self.assertEqual(self.focused(), 'slider0')
        self.keys(Keys.PAGE_UP, Keys.TAB, Keys.TAB, Keys.TAB, Keys.ARROW_DOWN)
        self.assertEqual(self.option(), 1)
        self.keys(Keys.ESCAPE)
        self.assertFalse(self.shown())
        self.assertEqual(self.window_looks(), before)
        self.assertEqual(self.focused(), 'slowo1')
        self.assertEqual(self.selected(1), 1)

    def test_keyboard_within_the_dialog(self):
        self.open_dialog()
        order = []
        for _ in range(6):
            self.keys(Keys.TAB)
            order.append(self.focused())
        # Round the dialog's controls, the colour groups by their chosen option.
        self.assertEqual(order, ['slider1', 'slider2', 'option0', 'list-font1', 'text-cv0', 'slider0'])
        ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
        self.assertEqual(self.focused(), 'text-cv0')
        # F10 gives the keyboard to the dialog's own menu bar; Esc there leaves the menu only.
        self.keys(Keys.F10)
        self.assertEqual(self.focused(), 'mnu-zapis')
        self.keys(Keys.ARROW_RIGHT)
        self.assertEqual(self.focused(), 'mnu-otkaz')
        self.keys(Keys.ESCAPE)
        self.assertTrue(self.shown())
        self.assertEqual(self.focused(), 'text-cv0')
        # "Запис" by the keys.
        self.driver.find_element(By.ID, 'slider0').send_keys(Keys.HOME)
        form = self.check_composed(0)
        self.keys(Keys.F10, Keys.ENTER)
        self.assertFalse(self.shown())
        self.assertEqual(self.window_looks()[0], rgb(*form))

    def test_controls_drawn_by_the_engines_layout(self):
        # The start update's layout places, captions, tooltips and colours every control of the
        # window (colour: background) and of the dialog (colour: text), 15 twips a pixel.
        layout = self.js('return window.kaz.lastUpdate.layout')
        self.open_dialog()
        got = self.js('''
            const at = (el) => { const s = getComputedStyle(el);
              return {place: [el.offsetLeft, el.offsetTop, el.offsetWidth, el.offsetHeight], title: el.title,
                      text: el.textContent, background: s.backgroundColor, colour: s.color, hidden: el.hidden}; };
            const all = (ids) => ids.map((id) => at(document.getElementById(id)));
            const n = (k, f) => Array.from({length: k}, (_, i) => f(i));
            return {
              window: all(["slowo2", "uprawl0", "uprawl1", "uprawl2", "uprawl3", "ndapis", "prowerka0", "grafika0"]),
              dialog: all(n(9, (i) => "label-cv" + i).concat(n(3, (i) => "slider" + i), n(3, (i) => "label-st" + i),
                          ["list-font1", "text-cv0", "piccolor"])).concat(
                      n(4, (i) => at(document.getElementById("option" + i).parentNode))),
              range: ["min", "max", "step"].map((k) => Number(document.getElementById("slider0")[k])),
            };''')
        def rgb_of(css):
            return rgb(*(int(css[k:k + 2], 16) for k in (1, 3, 5)))
        def check(control, element, colour_key):
            self.assertEqual(element['place'], [int(t / 15 + 0.5) for t in control['place']], control)
            self.assertEqual(element['title'], control.get('tooltip', ''), control)
            if control['colour']:
                self.assertEqual(element[colour_key], rgb_of(control['colour']), control)
        w, d = layout['window'], layout['dialog']
        for control, element in zip([w['lists'][2]] + w['buttons'] + [w['counter'], w['boxes'][0], w['thumbnail']],
                                    got['window']):
            check(control, element, 'background')
        self.assertEqual([e['text'] for e in got['window'][1:5]], [c['caption'] for c in w['buttons']])
        controls = d['labels'] + d['sliders'] + d['sliderLabels'] + [d['sizes'], d['sample'], d['colour']] + d['options']
        self.assertEqual(len(controls), len(got['dialog']))
        for control, element in zip(controls, got['dialog']):
            if element['hidden']:
                self.assertFalse(control['visible'], control)
                continue
            self.assertTrue(control.get('visible', True), control)
            check(control, element, 'colour')
        self.assertEqual(got['range'], d['sliderRange'][:3])
        self.assertEqual(self.text('cwiat-caption'), d['caption'])
        self.assertEqual([self.text('mnu-zapis'), self.text('mnu-otkaz')], d['menu'])

    def test_accessible_names_and_moving_it(self):
        dialog = self.open_dialog()
        nodes = self.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
        def value(node, key):
            return (node.get(key) or {}).get('value')
        named = {}
        for n in nodes:
            named.setdefault(value(n, 'role'), []).append(value(n, 'name'))
        self.assertIn(self.CAPTION, named['dialog'])
        self.assertEqual(named['slider'], ['Промяна на стойн остта на червената съставка',
                                           'Промяна на стойн остта на зелената съставка',
                                           'Промяна на стойн остта на синята съставка'])
        self.assertEqual(named['radio'], ['За настройване цвета на фона на формата',
                                          'За настройване цвета на фона в текстовите полета',
                                          'За настройване цвета на текста в текстовите полета'])
        self.assertIn('Определя размера на буквите', named['listbox'])
        self.assertIn('Полето илюстрира шрифт, размер на букви, цвят и фон на букви', named['textbox'])
        self.assertIn('Получен изходен цвят', named['image'] + named.get('img', []))
        self.assertIn('Запис', named['menuitem'])
        self.assertEqual(self.driver.find_element(By.ID, 'slider0').get_attribute('title'),
                         'Промяна на стойн остта на червената съставка ')
        # Dragged by its title bar.
        at = dialog.location
        ActionChains(self.driver).drag_and_drop_by_offset(
            self.driver.find_element(By.ID, 'cwiat-caption'), -50, 40).perform()
        self.assertEqual((dialog.location['x'], dialog.location['y']), (at['x'] - 50, at['y'] + 40))
        errors = [e['message'] for e in self.driver.get_log('browser') if e['level'] == 'SEVERE']
        self.assertEqual(errors, [])


class AppearancePhone(Appearance):
    size = (390, 844, True)

    # The groups above, less those of a mouse and a keyboard, run again on the phone.
    test_colour_opens_the_dialog_with_its_controls = None
    test_keyboard_within_the_dialog = None
    test_accessible_names_and_moving_it = None

    def test_the_dialog_fits_the_width_and_works_by_touch(self):
        self.tap(self.driver.find_element(By.ID, 'menu-cwqt'))
        self.assertTrue(self.shown())
        box = self.js('return document.getElementById("cwiat").getBoundingClientRect().toJSON()')
        self.assertGreaterEqual(box['left'], 0)
        self.assertLessEqual(box['right'], 390.5)
        self.assertGreater(box['width'], 300)  # not shrunk with the window
        self.assertLessEqual(self.js('return document.documentElement.scrollWidth'), 390)
        self.tap(self.driver.find_element(By.ID, 'option1'))
        self.assertEqual(self.option(), 1)
        row = self.driver.find_element(By.CSS_SELECTOR, '#list-font1 > :nth-child(1)')
        self.js('arguments[0].scrollIntoView({block: "nearest"})', row)
        self.tap(row)
        self.assertEqual(self.size_selected(), 0)
        slider = self.driver.find_element(By.ID, 'slider0')
        self.tap(slider)  # the middle of the track
        r = self.sliders()[0]
        self.assertTrue(100 < r < 155, r)
        text_background = self.check_composed(1)
        self.tap(self.driver.find_element(By.ID, 'mnu-zapis'))
        self.assertFalse(self.shown())
        self.assertEqual(self.window_looks()[1][0], rgb(*text_background))
        self.assertEqual(self.window_looks()[1][2], '%gpx' % (8 * 96 / 72))


class Isolation(PageCase):
    def test_nothing_from_the_network_and_no_errors(self):
        import json
        self.click_row(0, sorted(self.left)[1])
        self.press(0)
        page = 'file://' + os.path.abspath(PAGE)
        urls = []
        for entry in self.driver.get_log('performance'):
            message = json.loads(entry['message'])['message']
            if message['method'] == 'Network.requestWillBeSent':
                urls.append(message['params']['request']['url'])
        self.assertIn(page, urls)
        self.assertEqual([u for u in urls if u != page and not u.startswith(('data:', 'blob:'))], [])
        errors = [e['message'] for e in self.driver.get_log('browser') if e['level'] == 'SEVERE']
        self.assertEqual(errors, [])

    def test_nothing_stored(self):
        """A page played to its verdict leaves nothing in the browser: every start is a fresh test."""
        self.click_row(0, sorted(self.left)[0])
        self.click_row(1, self.partner(sorted(self.left)[0]))
        self.press(0)
        self.keys(Keys.F10)
        self.keys(Keys.ESCAPE)
        stored = self.driver.execute_async_script(
            'const done = arguments[0];'
            'const kept = {local: localStorage.length, session: sessionStorage.length, cookie: document.cookie};'
            'indexedDB.databases().then(d => done(Object.assign(kept, {databases: d.length})),'
            '                         () => done(Object.assign(kept, {databases: -1})));')
        self.assertEqual(stored, {'local': 0, 'session': 0, 'cookie': '', 'databases': 0})
        self.assertEqual(self.open(), 'ok')
        self.assertEqual(self.rows(2), [])

    def test_accessibility_tree(self):
        nodes = self.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
        def value(node, key):
            return (node.get(key) or {}).get('value')
        by_id = {n['nodeId']: n for n in nodes}
        listboxes = [n for n in nodes if value(n, 'role') == 'listbox']
        self.assertEqual([value(n, 'name') for n in listboxes],
                         ['Посочете елемента в релацията'] * 2 + ['Набор от вече въведени отговори'])
        # The options drawn, the first rows, each telling a screen reader the list's length.
        options = [by_id[c] for c in listboxes[0].get('childIds', []) if value(by_id[c], 'role') == 'option']
        self.assertGreater(len(options), 6)
        self.assertEqual([value(o, 'name') for o in options], sorted(self.left)[:len(options)])
        props = {p['name']: p['value']['value'] for p in options[0].get('properties', [])}
        self.assertTrue(props.get('selected'))
        # The length a screen reader is told: the DevTools tree does not list it, the DOM does.
        self.assertEqual(self.drawn(0)[0][1:], [1, len(self.left), True])
        buttons = {value(n, 'name'): value(n, 'description') for n in nodes if value(n, 'role') == 'button'}
        for caption, tooltip in zip(CAPTIONS, TOOLTIPS):
            self.assertEqual(buttons.get(caption), tooltip)
        self.assertIn('Картина към въпроса', buttons)
        names = {value(n, 'name') for n in nodes if value(n, 'role') in ('textbox', 'status')}
        self.assertIn('Указания и обяснения', names)
        self.assertEqual(self.js('return ["ndapis", "prowerka1"].map(id =>'
                                 ' document.getElementById(id).getAttribute("aria-live"))'), ['polite', 'polite'])


class RightToLeftSystem(PageCase):
    """A learner whose browser speaks Arabic: the window stays as the test's author laid it out."""
    language = 'ar'

    def test_window_and_texts_left_to_right(self):
        self.assertEqual(self.js('return navigator.language'), 'ar')
        for element in ('kaz', 'slowo0', 'slowo1', 'ndapis', 'prowerka0'):
            self.assertEqual(self.js('return getComputedStyle(document.getElementById(arguments[0])).direction', element),
                             'ltr', element)
        self.assertEqual(self.rows(0), sorted(self.left))
        # The first list lies left of the second, as in the layout.
        left0, left1 = self.js('return ["slowo0", "slowo1"].map(i => document.getElementById(i).getBoundingClientRect().left)')
        self.assertLess(left0, left1)
        self.click_row(0, self.left[0])
        self.click_row(1, self.partner(self.left[0]))
        self.press(0)
        self.assertEqual(self.rows(2), [self.left[0] + ' ' + self.partner(self.left[0])])


class Large(PageCase):
    """A page whose lists hold thousands of phrases (--large PAGE.html), as a test of 10,000."""

    def setUp(self):
        if not LARGE:
            self.skipTest('no large page given (--large)')
        self.assertEqual(self.open(LARGE), 'ok')

    @classmethod
    def setUpClass(cls):
        cls.driver = browser()

    def test_each_action_draws_only_the_rows_in_view(self):
        n = [len(self.rows(i)) for i in range(2)]
        self.assertGreaterEqual(min(n), 1000)
        # Each pair, and taking one back, takes a small part of a second however long the
        # lists, and the lists keep drawing a few dozen rows.
        took = self.js('''
            const times = [];
            const click = (list, row) => window.kaz.option(list, row % window.kaz.rows(list).length)
                .dispatchEvent(new MouseEvent("click", {bubbles: true}));
            for (let k = 0; k < 5; ++k) {
              click(0, 100 + 900 * k);
              click(1, 200 + 700 * k);
              const t0 = performance.now();
              document.getElementById("uprawl0").click();
              document.body.offsetHeight;
              times.push(performance.now() - t0);
            }
            click(2, 2);
            const t0 = performance.now();
            document.getElementById("uprawl1").click();
            document.body.offsetHeight;
            times.push(performance.now() - t0);
            return times;''')
        self.assertLess(max(took), 100, took)
        self.assertEqual([len(self.rows(i)) for i in range(3)], [n[0] - 4, n[1] - 4, 4])
        self.assertEqual(self.selected(2), 2)
        drawn = [self.drawn(i) for i in range(2)]
        self.assertTrue(all(0 < len(d) < 60 for d in drawn), [len(d) for d in drawn])
        # The two phrases the pair taken back gave back are in their places.
        self.assertEqual(sorted(self.rows(0)), self.rows(0))
        # The end of a list and a row typed for far down are drawn and selected.
        self.driver.find_element(By.ID, 'slowo1').send_keys(Keys.END)
        self.assertEqual(self.selected(1), n[1] - 5)
        self.assertEqual(self.drawn(1)[-1][:3], [self.rows(1)[-1], n[1] - 4, n[1] - 4])
        rows = self.rows(0)
        typed = rows[len(rows) * 2 // 3].split(' ')[0]
        self.driver.find_element(By.ID, 'slowo0').send_keys(Keys.HOME)
        self.keys(typed)
        k = min(k for k, r in enumerate(rows) if r.lower().startswith(typed.lower()))
        self.assertEqual(self.selected(0), k)
        self.assertIn(rows[k], [d[0] for d in self.drawn(0) if d[3]])


class Faults(PageCase):
    def setUp(self):
        pass

    def test_a_browser_too_old(self):
        script = self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument',
                                             {'source': 'delete window.DecompressionStream;'})
        self.addCleanup(self.driver.execute_cdp_cmd, 'Page.removeScriptToEvaluateOnNewDocument',
                        {'identifier': script['identifier']})
        self.assertEqual(self.open(), 'old')
        fault = self.driver.find_element(By.ID, 'fault')
        self.assertTrue(fault.is_displayed())
        for browser in ('Chrome', 'Edge', 'Firefox', 'Safari'):
            self.assertIn(browser, fault.text)

    def damaged_copy(self, change):
        with open(PAGE, encoding='utf-8') as f:
            html = f.read()
        m = re.search(r'<script id="kaz-test" type="application/octet-stream">([^<]*)</script>', html)
        self.assertIsNotNone(m)
        data = m.group(1)
        k = len(data) // 2
        data = data[:k] + change(data[k]) + data[k + 1:]
        folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, folder)
        path = os.path.join(folder, 'kaz-damaged.html')
        with open(path, 'w', encoding='utf-8') as f:
            f.write(html[:m.start(1)] + data + html[m.end(1):])
        return path

    def check_damaged(self, path):
        self.assertEqual(self.open(path), 'damaged')
        fault = self.driver.find_element(By.ID, 'fault')
        self.assertTrue(fault.is_displayed())
        self.assertEqual(fault.text, DAMAGED)
        self.assertFalse(self.driver.find_element(By.ID, 'kaz').is_displayed())

    def test_one_character_changed(self):
        self.check_damaged(self.damaged_copy(lambda c: 'B' if c != 'B' else 'C'))

    def test_a_character_that_is_not_base64(self):
        self.check_damaged(self.damaged_copy(lambda c: '*'))


def main():
    global PAGE, QUIZ, LARGE
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument('page')
    parser.add_argument('--quiz', default=os.path.join(here, '..', '..', 'quizzes', 'istoriya', 'test.kaz'))
    parser.add_argument('--large')
    args, rest = parser.parse_known_args()
    PAGE, QUIZ = os.path.abspath(args.page), os.path.abspath(args.quiz)
    LARGE = os.path.abspath(args.large) if args.large else None
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == '__main__':
    main()
